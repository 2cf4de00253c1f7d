#pragma once

// Whether the operating system is of the Windows 9x family; decided once by
// the entry point's platform family test.
bool oldPlatform();
void setOldPlatform(bool old);
