#pragma once

class JvmSearch;

// FIND_JVM: searches for an accepted JVM and writes its JVM file.  Sets S1
// to the JVM home, S2 to the JVM file's path and N1 to 1; or S1 and S2
// empty and N1 0.  When nothing is found and showFailure is set, shows the
// JVM message and lets the user pick a java.exe, which is taken unverified.
// A LauncherException is logged, shown when showFailure is set, and thrown
// on.
void findJvm(JvmSearch& search, bool showUi, bool showFailure);

// The window of a search: shown with the searching status, or hidden.
void showSearchProgress(bool showUi);
