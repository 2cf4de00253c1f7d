#include "payload/entry_name.h"

#include <unordered_map>

#include "tagfile/text_utils.h"

const char* const kExtractedInputFileName = "input.tag";

namespace {

// The names Windows keeps for devices, upper case.  A digit of COM and LPT
// may also be a superscript one, two or three (in UTF-8).
const char* const kDeviceNames[] = {"CON", "PRN", "AUX", "NUL", "CONIN$", "CONOUT$"};
const char* const kNumberedDevices[] = {"COM", "LPT"};
const char* const kDeviceDigits[] = {"0", "1", "2", "3",        "4",        "5",       "6",
                                     "7", "8", "9", "\xC2\xB9", "\xC2\xB2", "\xC2\xB3"};

// ASCII letters in upper case, as file systems compare names without
// regard to case.
std::string upperCase(const std::string& text) {
    std::string upper = text;
    for (char& c : upper) {
        if (c >= 'a' && c <= 'z') {
            c = static_cast<char>(c - 'a' + 'A');
        }
    }
    return upper;
}

// The device a name opens: the part before its first dot, without the
// blanks Windows drops before the extension; empty for no device.
std::string deviceOf(const std::string& name) {
    std::string stem = upperCase(name.substr(0, name.find('.')));
    stem.erase(stem.find_last_not_of(' ') + 1);
    for (const char* device : kDeviceNames) {
        if (stem == device) {
            return stem;
        }
    }
    for (const char* prefix : kNumberedDevices) {
        for (const char* digit : kDeviceDigits) {
            if (stem == std::string(prefix) + digit) {
                return stem;
            }
        }
    }
    return std::string();
}

std::string inQuotes(const std::string& text) {
    return "\"" + text + "\"";
}

}  // namespace

std::string entryNameFault(const std::string& name) {
    if (name.empty()) {
        return "it is empty";
    }
    if (name == "." || name == "..") {
        return "it names a directory";
    }
    for (const char c : name) {
        if (c == '/' || c == '\\') {
            return "it holds a path separator";
        }
        if (c == ':') {
            return "it holds a colon, which names a drive or a stream";
        }
        if (static_cast<unsigned char>(c) < 0x20) {
            return "it holds a control character (byte " +
                   toDecimal(static_cast<unsigned char>(c)) + ")";
        }
        if (std::string("<>\"|?*").find(c) != std::string::npos) {
            return std::string("it holds the character ") + c +
                   ", which Windows does not allow in a file name";
        }
    }
    if (name.back() == '.' || name.back() == ' ') {
        return "it ends with a dot or a blank, which Windows drops";
    }
    const std::string device = deviceOf(name);
    if (!device.empty()) {
        return "it names the Windows device " + device;
    }
    return std::string();
}

std::string entryNameSetFault(const std::vector<std::string>& names) {
    std::unordered_map<std::string, const std::string*> seen;
    seen.emplace(upperCase(kExtractedInputFileName), nullptr);
    for (const std::string& name : names) {
        const auto earlier = seen.emplace(upperCase(name), &name);
        if (earlier.second) {
            continue;
        }
        if (earlier.first->second == nullptr) {
            return inQuotes(name) + " is the name of the input file written beside the " +
                   "extracted files";
        }
        return inQuotes(*earlier.first->second) + " and " + inQuotes(name) + " name the same file";
    }
    return std::string();
}
