#include "jvm/verify_output.h"

#include "base/log.h"
#include "tagfile/text_utils.h"

const char* const kVerifyMagicValue = "1739021872";

namespace {

const std::string kAnyRest = "...";

bool valueMatches(const std::string& expectedValue, const std::string& actualValue) {
    if (!endsWith(expectedValue, kAnyRest)) {
        return actualValue == expectedValue;
    }
    const size_t prefix = expectedValue.size() - kAnyRest.size();
    return actualValue.size() >= prefix &&
           actualValue.compare(0, prefix, expectedValue, 0, prefix) == 0;
}

}  // namespace

bool checkVerifyOutput(const std::string& output, const std::vector<JvmProperty>& jvmProperties) {
    size_t position = 0;
    std::string line;
    bool magicSeen = false;
    while (!magicSeen) {
        std::string next;
        if (!readLine(output, position, next)) {
            writeLog("Invalid magic value: " + line + "\n", kLogError);
            return false;
        }
        line = next;
        magicSeen = line == kVerifyMagicValue;
    }
    for (const JvmProperty& property : jvmProperties) {
        // A run that stopped before it showed every property proves nothing
        // about the ones it did not show.
        line.clear();
        if (!readLine(output, position, line) || !valueMatches(property.value, line)) {
            return false;
        }
    }
    return true;
}
