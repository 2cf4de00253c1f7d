#include "jvm/verify_output.h"

#include "base/log.h"
#include "jvm/version_compare.h"
#include "tagfile/text_utils.h"

const char* const kVerifyMagicValue = "1739021872";

namespace {

const std::string kAnyRest = "...";

bool textMatches(const std::string& expectedValue, const std::string& actualValue) {
    if (!endsWith(expectedValue, kAnyRest)) {
        return actualValue == expectedValue;
    }
    const size_t prefix = expectedValue.size() - kAnyRest.size();
    return actualValue.size() >= prefix &&
           actualValue.compare(0, prefix, expectedValue, 0, prefix) == 0;
}

bool valueMatches(const JvmProperty& property, const std::string& actualValue) {
    switch (property.test) {
        case PropertyTest::kAtLeast:
            return compareVersions(actualValue, property.value) >= 0;
        case PropertyTest::kAtMost:
            return compareVersions(actualValue, property.value) <= 0;
        case PropertyTest::kAbove:
            return compareVersions(actualValue, property.value) > 0;
        case PropertyTest::kBelow:
            return compareVersions(actualValue, property.value) < 0;
        case PropertyTest::kEquals:
            break;
    }
    return textMatches(property.value, actualValue);
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
    // The properties are compared while the output lasts: an output that
    // ends early, the magic line alone too, is accepted, as verification
    // classes of older JVM files may print less than they are asked for.
    for (const JvmProperty& property : jvmProperties) {
        line.clear();
        if (!readLine(output, position, line)) {
            break;
        }
        if (!valueMatches(property, line)) {
            return false;
        }
    }
    return true;
}
