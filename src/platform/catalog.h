#pragma once
#include <string>
#include <vector>

// The message catalog as the program carries it: Windows string resources, or
// the table compiled into the POSIX build.  The variant is chosen from the
// user's language; an id the variant lacks yields an empty text.
namespace platform {

std::string loadCatalogText(unsigned id);

// Fills "%1!s!"-style inserts (the system's message formatter syntax).
// Returns false, with lastErrorCode() telling why, when formatting fails.
bool formatWithInserts(const std::string& format, const std::vector<std::string>& inserts,
                       std::string& result);

}  // namespace platform
