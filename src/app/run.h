#pragma once
#include <functional>
#include <string>

class ArgumentList;

// The run of a front end: records the launcher file, runs the run flow with
// the arguments after the program name, calls `runEnded` (when given), shows
// the failure message of the last Java launch when the run failed, and
// removes the workspace.  Returns the exit code (-1 for an empty argument
// list).
int runFrontEnd(const ArgumentList& arguments,
                const std::function<void(const std::string&)>& showFailureMessage,
                const std::function<void()>& runEnded = {});

// Whether a run's result counts as a failure: anything but 0, except that
// launcher kinds 0 and 2 also accept 1000.
bool runFailed(int result, int launcherKind);
