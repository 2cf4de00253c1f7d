#include "payload/wininit.h"

#include <cerrno>
#include <cstdio>

#include "base/error_number.h"
#include "base/path_text.h"
#include "tagfile/text_utils.h"

namespace {

const std::string kRenameSection = "[Rename]";

}  // namespace

std::string withRenameLines(const std::string& text, const std::vector<std::string>& lines) {
    std::string block;
    for (const std::string& line : lines) {
        block += line + '\n';
    }
    const size_t section = text.find(kRenameSection);
    if (section == std::string::npos) {
        // A last line without its line feed keeps its own line.
        const std::string separator = text.empty() || text.back() == '\n' ? "" : "\n";
        return text + separator + kRenameSection + '\n' + block;
    }
    const size_t lineEnd = text.find('\n', section);
    if (lineEnd == std::string::npos) {
        const size_t insertion = section + kRenameSection.size();
        return text.substr(0, insertion) + '\n' + block + text.substr(insertion);
    }
    return text.substr(0, lineEnd + 1) + block + text.substr(lineEnd + 1);
}

int writeRenameList(const std::string& windowsDirectory, std::vector<std::string>& lines) {
    if (lines.empty()) {
        return 0;
    }
    const std::string path = joinPath(windowsDirectory, "WinInit.Ini");
    errno = 0;
    std::FILE* file = std::fopen(path.c_str(), "r+b");
    if (file == nullptr && errno == ENOENT) {
        file = std::fopen(path.c_str(), "w+b");
    }
    if (file == nullptr) {
        return errorNumber();
    }
    std::string text;
    char buffer[4096];
    size_t got;
    while ((got = std::fread(buffer, 1, sizeof buffer, file)) > 0) {
        text.append(buffer, got);
    }
    int error = std::ferror(file) ? errorNumber() : 0;
    // The new text is the old one with lines inserted: written over it from
    // the start, it leaves none of the old bytes behind.
    const std::string updated = withRenameLines(text, lines);
    if (error == 0 && (std::fseek(file, 0, SEEK_SET) != 0 ||
                       std::fwrite(updated.data(), 1, updated.size(), file) < updated.size())) {
        error = errorNumber();
    }
    if (std::fclose(file) != 0 && error == 0) {
        error = errorNumber();
    }
    if (error == 0) {
        lines.clear();
    }
    return error;
}
