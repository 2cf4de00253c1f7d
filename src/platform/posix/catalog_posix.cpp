#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <sstream>

#include "platform/catalog.h"
#include "platform/posix/message_table.h"

namespace platform {

namespace {

// The user's locale name without codeset or modifier ("de_DE").
std::string userLocale() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') {
            std::string locale = value;
            return locale.substr(0, locale.find_first_of(".@"));
        }
    }
    return std::string();
}

bool localeMatches(const std::string& locale, const std::string& prefix) {
    return locale == prefix ||
           (locale.compare(0, prefix.size(), prefix) == 0 && locale[prefix.size()] == '_');
}

// The variant for the user's locale; English when none fits.
const catalog::Language& chosenLanguage() {
    static const catalog::Language* chosen = [] {
        const std::string locale = userLocale();
        for (int i = 0; i < catalog::kLanguageCount; ++i) {
            std::istringstream prefixes(catalog::kLanguages[i].locales);
            std::string prefix;
            while (prefixes >> prefix) {
                if (localeMatches(locale, prefix)) {
                    return &catalog::kLanguages[i];
                }
            }
        }
        return &catalog::kLanguages[0];
    }();
    return *chosen;
}

}  // namespace

std::string loadCatalogText(unsigned id) {
    const catalog::Language& language = chosenLanguage();
    for (int i = 0; i < language.count; ++i) {
        if (language.texts[i].id == id) {
            return language.texts[i].text;
        }
    }
    return std::string();
}

// The message formatter's syntax: "%n" or "%n!fmt!" inserts argument n (1 to
// 99; every fmt is read as a string), "%%" a percent sign, "%0" ends the
// text, "%n" (the letter) a line end, "%t" a tab, "%." "%!" "% " the
// character itself.
bool formatWithInserts(const std::string& format, const std::vector<std::string>& inserts,
                       std::string& result) {
    result.clear();
    for (size_t i = 0; i < format.size(); ++i) {
        const char c = format[i];
        if (c != '%' || i + 1 == format.size()) {
            result += c;
            continue;
        }
        const char next = format[++i];
        if (next >= '1' && next <= '9') {
            size_t number = next - '0';
            if (i + 1 < format.size() && std::isdigit(static_cast<unsigned char>(format[i + 1]))) {
                number = number * 10 + (format[++i] - '0');
            }
            if (i + 1 < format.size() && format[i + 1] == '!') {
                const size_t close = format.find('!', i + 2);
                if (close == std::string::npos) {
                    errno = EINVAL;
                    return false;
                }
                i = close;
            }
            if (number <= inserts.size()) {
                result += inserts[number - 1];
            }
        } else if (next == '0') {
            return true;
        } else if (next == 'n') {
            result += '\n';
        } else if (next == 't') {
            result += '\t';
        } else {
            result += next;
        }
    }
    return true;
}

}  // namespace platform
