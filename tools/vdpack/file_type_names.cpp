#include "vdpack/file_type_names.h"

#include "payload/launcher_file.h"
#include "vdpack/decimal.h"
#include "vdpack/pack_error.h"

namespace {

const char* const kTypeNames[] = {"INSTRUCTIONS",        "JVM",
                                  "LAUNCHSCRIPT",        "ARCHIVE",
                                  "JVM_INSTALLER",       "VERIFY_ARCHIVE",
                                  "APPLICATION_ARCHIVE", "EMBEDDED_LAUNCHER",
                                  "JVMMESSAGE"};
static_assert(sizeof kTypeNames / sizeof kTypeNames[0] == kLastFileType + 1,
              "one name per file type");

}  // namespace

int32_t fileTypeValue(const std::string& text) {
    for (int32_t type = 0; type <= kLastFileType; ++type) {
        if (text == kTypeNames[type]) {
            return type;
        }
    }
    int32_t number = -1;
    try {
        number = decimalValue(text, "the file type");
    } catch (const PackError&) {
        // not a number either: reported below
    }
    if (number < 0 || number > kLastFileType) {
        throw PackError("unknown file type '" + text +
                        "': give a name such as INSTRUCTIONS or JVM, or a number 0 to 8");
    }
    return number;
}

std::string fileTypeName(int32_t fileType) {
    if (fileType >= 0 && fileType <= kLastFileType) {
        return kTypeNames[fileType];
    }
    return std::to_string(fileType);
}
