#include "toolkit/system_win.h"

#include <windows.h>

namespace toolkit {

std::string EnvironmentValue(const char* name) {
    // Ask for the size first and retry if the value grew in between, so no value is ever cut.
    DWORD needed = GetEnvironmentVariableA(name, nullptr, 0);
    while (needed > 0) {
        std::string value(needed, '\0');
        const DWORD length = GetEnvironmentVariableA(name, value.data(), needed);
        if (length < needed) {
            value.resize(length);
            return value;
        }
        needed = length;
    }
    return {};
}

} // namespace toolkit
