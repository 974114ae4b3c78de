#pragma once

#include <string>

namespace toolkit {
// The value of an environment variable, whole, whatever its length; empty when it is unset.
std::string EnvironmentValue(const char* name);
} // namespace toolkit
