#pragma once
#include <string>

class JvmSearch;
class TagFile;

// VERIFY: whether the JVM of a JVM file is accepted at the home (an empty
// home: at the file's own JVM_HOME).  Sets N1 to 1 and S1 to the JVM home
// when it is, else N1 to 0 and, with showFailure, tells the user.
void verifyJvm(JvmSearch& search, bool showUi, bool showFailure, TagFile& tags,
               const std::string& home);
