#pragma once

// Makes a cancel request stop the instruction script: before each line the
// script checks the request and, once it is set, ends with the
// LauncherException "Canceled by the user." (message 35), so even a script
// looping on a backward GOTO stops at its next line.
void stopScriptOnCancel();
