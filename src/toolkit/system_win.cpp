#include "toolkit/system_win.h"

#include "toolkit/unique_handle.h"

#include <windows.h>

#include <map>

namespace toolkit {
namespace {

std::map<std::string, UniqueLibrary>& LoadedLibraries() {
    static std::map<std::string, UniqueLibrary> libraries;
    return libraries;
}

} // namespace

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

void* SystemFunctionAddress(const char* library, const char* function) {
    UniqueLibrary& loaded = LoadedLibraries()[library];
    if (!loaded) {
        loaded.reset(LoadLibraryA(library));
    }
    if (!loaded) {
        return nullptr;
    }
    return reinterpret_cast<void*>(GetProcAddress(loaded.get(), function));
}

namespace internal {
void FreeSystemLibraries() { LoadedLibraries().clear(); }
} // namespace internal

} // namespace toolkit
