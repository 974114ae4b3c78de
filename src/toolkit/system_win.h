#pragma once

#include <string>

namespace toolkit {

// The value of an environment variable, whole, whatever its length; empty when it is unset.
std::string EnvironmentValue(const char* name);

// A function of a system library that the program needs only now and then (a chooser, opening
// a web page): the library is loaded on first use and kept until Shutdown, so start-up does not
// pay for loading it. Null when the library or the function is missing.
void* SystemFunctionAddress(const char* library, const char* function);
template <typename Function>
Function* SystemFunction(const char* library, const char* function) {
    return reinterpret_cast<Function*>(SystemFunctionAddress(library, function));
}

namespace internal {
// Frees the libraries SystemFunction loaded; part of Shutdown.
void FreeSystemLibraries();
} // namespace internal

} // namespace toolkit
