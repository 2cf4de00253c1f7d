#pragma once

// The program's entry sequence; returns the process exit code.
int launcherMain(int argc, char** argv);
