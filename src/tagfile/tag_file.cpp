#include "tagfile/tag_file.h"

#include <cstring>
#include <memory>

#include "base/error_number.h"
#include "base/launcher_exception.h"
#include "base/log.h"
#include "platform/file_system.h"
#include "platform/text_encoding.h"
#include "tagfile/tag_file_source.h"
#include "tagfile/text_utils.h"

namespace {

const char* const kTagCompleter = "/:";

// A value is written plain when it reads back the same: it starts and ends
// with a non-blank character and holds no double quote.
bool mustBeQuoted(const std::string& value) {
    return value.empty() || isBlank(value.front()) || isBlank(value.back()) ||
           value.find('"') != std::string::npos;
}

std::string quoted(const std::string& value) {
    std::string text = "\"";
    for (const char c : value) {
        text += c;
        if (c == '"') {
            text += '"';
        }
    }
    return text + '"';
}

}  // namespace

TagFile::TagFile(const std::string& fileName) {
    std::string text;
    if (!readTagFileText(fileName, text)) {
        throw LauncherException("Unable to load input file: " + fileName);
    }
    parse(text, fileName);
}

void TagFile::parse(const std::string& text, const std::string& fileName) {
    fileName_ = fileName;
    lineCount_ = 0;
    size_t position = 0;
    std::string line;
    while (nextLine(text, position, line)) {
        if (line.empty()) {
            continue;
        }
        const size_t colon = line.find(':');
        if (colon == std::string::npos) {
            syntaxError(lineCount_, "Missing colon at the end of the tag name.");
        }
        const std::string tag = trim(line.substr(0, colon));
        if (colon + 1 == line.size()) {
            remove(tag);
            readValueList(text, position, tag);
            continue;
        }
        std::string value;
        try {
            value = singleLineValue(line, colon);
        } catch (const LauncherException&) {
            remove(tag);  // a tag named again is gone, whether or not its value reads
            throw;
        }
        define(tag).values.push_back(std::move(value));
    }
    loaded_ = true;
}

bool TagFile::nextLine(const std::string& text, size_t& position, std::string& line) {
    line.clear();
    if (!readLine(text, position, line)) {
        return false;
    }
    ++lineCount_;
    return true;
}

std::string TagFile::singleLineValue(const std::string& line, size_t colon) const {
    const size_t first = line.find_first_not_of(kBlanks, colon + 1);
    if (first == std::string::npos) {
        syntaxError(lineCount_, "Invalid tag format.");
    }
    if (line[first] != '"') {
        return line.substr(first);
    }
    long position = static_cast<long>(first) + 1;
    return readArgument(line, position, true);
}

void TagFile::readValueList(const std::string& text, size_t& position, const std::string& tag) {
    const int tagLine = lineCount_;
    TagEntry* entry = nullptr;  // added with the first value
    std::string line;
    while (nextLine(text, position, line)) {
        if (!line.empty() && line.front() == '"') {
            long position = 1;
            line = readArgument(line, position, true);
        }
        if (line.empty()) {
            continue;
        }
        if (line == kTagCompleter) {
            return;
        }
        if (entry == nullptr) {
            entry = &define(tag);
        }
        entry->values.push_back(line);
    }
    syntaxError(tagLine, "Missing /: tag completer.");
}

void TagFile::syntaxError(int line, const std::string& text) const {
    const std::string message =
        "Syntax error in " + fileName_ + " at line " + toDecimal(line) + " ==> " + text;
    writeLog(message, kLogError);
    throw LauncherException(message);
}

const TagFile::TagEntry* TagFile::find(const std::string& tag) const {
    const auto entry = index_.find(tag);
    return entry == index_.end() ? nullptr : &*entry->second;
}

TagFile::TagEntry* TagFile::find(const std::string& tag) {
    const auto entry = index_.find(tag);
    return entry == index_.end() ? nullptr : &*entry->second;
}

void TagFile::remove(const std::string& tag) {
    const auto entry = index_.find(tag);
    if (entry != index_.end()) {
        tags_.erase(entry->second);
        index_.erase(entry);
    }
}

TagFile::TagEntry& TagFile::define(const std::string& tag) {
    tags_.push_back(TagEntry{tag, {}});
    const auto place = index_.try_emplace(tag, std::prev(tags_.end()));
    if (!place.second) {
        tags_.erase(place.first->second);
        place.first->second = std::prev(tags_.end());
    }
    return tags_.back();
}

std::string TagFile::getValue(const std::string& tag, int index) const {
    const TagEntry* entry = find(tag);
    if (entry == nullptr || index < 0 || static_cast<size_t>(index) >= entry->values.size()) {
        return std::string();
    }
    return entry->values[index];
}

int TagFile::count(const std::string& tag) const {
    const TagEntry* entry = find(tag);
    return entry == nullptr ? 0 : static_cast<int>(entry->values.size());
}

bool TagFile::getBool(const std::string& tag, bool defaultValue) const {
    const std::string value = getValue(tag);
    size_t position = 0;
    while (position < value.size() && isWhiteSpace(value[position])) {
        ++position;
    }
    if (position < value.size() && (value[position] == '+' || value[position] == '-')) {
        ++position;
    }
    const size_t digits = position;
    while (position < value.size() && value[position] >= '0' && value[position] <= '9') {
        ++position;
    }
    if (position == digits) {
        return defaultValue;
    }
    // Only the digits' being all zero matters, so no number can overflow.
    return value.find_first_not_of('0', digits) < position;
}

void TagFile::setValue(const std::string& tag, const std::string& value) {
    TagEntry* entry = find(tag);
    (entry == nullptr ? define(tag) : *entry).values.assign(1, value);
}

void TagFile::addValue(const std::string& tag, const std::string& value) {
    TagEntry* entry = find(tag);
    (entry == nullptr ? define(tag) : *entry).values.push_back(value);
}

void TagFile::setBool(const std::string& tag, bool flag) {
    setValue(tag, flag ? "1" : "0");
}

std::string TagFile::text() const {
    std::string text;
    // Every entry holds at least one value: setValue, addValue and the
    // parser never leave an empty list behind.
    for (const TagEntry& entry : tags_) {
        const bool list = entry.values.size() > 1;
        text += entry.name + (list ? ":\n" : ":");
        for (const std::string& value : entry.values) {
            text += "  " + (mustBeQuoted(value) ? quoted(value) : value) + "\n";
        }
        if (list) {
            text += "/:\n";
        }
    }
    return text;
}

void TagFile::write(const std::string& fileName, WriteMode mode) const {
    errno = 0;
    const bool createNew = mode == WriteMode::kCreateNew;
    std::FILE* file = createNew ? platform::createNewFile(fileName, platform::NewFile::kText)
                                : std::fopen(fileName.c_str(), "w");
    int error = file == nullptr ? errorNumber() : 0;
    if (file != nullptr) {
        const std::string bytes = platform::utf8FromNarrow(text());
        errno = 0;
        if (std::fwrite(bytes.data(), 1, bytes.size(), file) != bytes.size()) {
            error = errorNumber();
        }
        // The close writes what the stream still holds: it fails on a full disk.
        errno = 0;
        if (std::fclose(file) != 0 && error == 0) {
            error = errorNumber();
        }
    }
    if (error != 0) {
        if (file != nullptr && createNew) {
            platform::deleteFile(fileName);
        }
        throw LauncherException("Unable to write file: " + fileName + " (" + std::strerror(error) +
                                ")");
    }
}
