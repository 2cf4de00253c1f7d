#pragma once
#include <string>

namespace platform {

// The value of an environment variable; empty when it is unset or empty.
std::string getEnvironment(const std::string& name);
// Whether the variable is set, also to an empty value.
bool hasEnvironment(const std::string& name);
// Sets a variable for this process and the children it starts.
void setEnvironment(const std::string& name, const std::string& value);
// Removes a variable from this process's environment.
void unsetEnvironment(const std::string& name);

}  // namespace platform
