#pragma once
#include <string>

#include "platform/self_removal.h"

// A launcher started with "-vd:orig" is a copy in its parent's workspace; it
// removes its own file and the directory holding it once it has ended.

// Entries in WinInit.Ini on the Windows 9x family, a script started hidden
// at idle priority elsewhere.  Failures are not reported.
void arrangeSelfRemoval();

// Writes the script that removes the launcher file and its directory (the
// path up to its last separator) and returns what it does; the script's
// path is empty when it could not be written.
platform::SelfRemovalPlan writeSelfRemovalScript(const std::string& launcher);
