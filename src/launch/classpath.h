#pragma once
#include <string>
#include <vector>

class JvmFile;
class LaunchScript;

// The classpath of a CP call, its entries joined by the JVM file's
// CLASSPATH_SEPARATOR, in this order: the "-cp:p" value in double quotes
// (two double quotes when not given), the ".cp1" side file, JVM_CLASSPATH,
// the ".cp" side file, the CP arguments, the launch script's ARCHIVE after a
// % pass of its own, the embedded classpath archives (quoted) when the
// script takes them, the ".cp2" side file, the "-cp:a" value like "-cp:p".
// Empty entries are skipped.  In environment-variable mode the CP
// arguments, ARCHIVE and the archives lose their quotes.  The option values
// and the archive paths are the script's literals (LaunchScript::literal).
std::string assembleClasspath(LaunchScript& script, JvmFile& jvmFile,
                              const std::vector<std::string>& arguments, bool environmentMode);

// The CP function: with USE_CP_ENV_VAR "1" the classpath goes into the
// variable CP_ENV_VAR and the call yields nothing; otherwise it yields the
// JVM file's CLASSPATH text followed by the classpath.
std::string classpathFunction(LaunchScript& script, JvmFile& jvmFile,
                              const std::vector<std::string>& arguments);
