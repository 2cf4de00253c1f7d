#include "jvmfile/jvm_file.h"

#include "platform/system.h"
#include "tagfile/tag_file.h"

std::string JvmFile::tag(const std::string& name) const {
    return tags_.getValue(name);
}

std::string JvmFile::jvmExe() const {
    return tag("JVM_EXE");
}

std::string JvmFile::description() const {
    return tag("DESC");
}

bool JvmFile::searchAll() const {
    return tags_.getBool("SEARCH_ALL", false);
}

const std::string& JvmFile::name() const {
    return tags_.fileName();
}

void JvmFile::substitute(std::string& text, char, size_t start, size_t end) {
    const std::string name = text.substr(start + 1, end - start - 1);
    std::string value = tag(name);
    // A home written with its trailing separator still joins the executable
    // below it with the template's one separator.
    if (name == "JVM_HOME" && !value.empty() && value.back() == platform::pathSeparator()) {
        value.pop_back();
    }
    text.replace(start, end - start + 1, value);
}
