#pragma once
#include <ostream>
#include <string>

// "vdpack list": prints the launcher kind and the file index of a launcher
// file, read by the launcher's own reader.  A malformed file is reported with
// the launcher's texts (PackError).
void listLauncherFile(const std::string& path, std::ostream& out);
