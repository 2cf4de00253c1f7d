#pragma once
#include <string>

// The log file (named by "-vd:log" or an input file's LOGFILE) and the debug
// log (named by the DBGWIN32ZLN environment variable).  Both files are opened
// and closed for every line; a file that cannot be opened is skipped.  The
// lines are written in UTF-8.
enum LogLevel { kLogInfo = 0, kLogWarning = 1, kLogError = 2 };

void setLogFile(const std::string& fileName);  // empty switches the log off
const std::string& logFileName();
void writeLog(const std::string& text, int level);

// Switches the debug log on; a name of 260 characters or more leaves the
// file name empty, so nothing is ever written.
void enableDebugLog(const std::string& fileName);
bool debugLogOn();
void writeDebugLog(const std::string& text, bool withLineEnd);
