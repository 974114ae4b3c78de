#include "settings/os_version_win.h"

#include <windows.h>

int32_t QueryOsVersionCode() {
    // The sizes are those of the plain and the extended structure; older systems reject
    // the extended one, which is why the first query uses the plain size.
    OSVERSIONINFOA basic{};
    basic.dwOSVersionInfoSize = sizeof(OSVERSIONINFOA);
    if (!GetVersionExA(&basic)) {
        return kOsVersionUnknown;
    }
    OsVersionFacts facts;
    facts.platformId = basic.dwPlatformId;
    facts.major = basic.dwMajorVersion;
    facts.minor = basic.dwMinorVersion;
    if (basic.dwPlatformId == VER_PLATFORM_WIN32_NT) {
        OSVERSIONINFOEXA extended{};
        extended.dwOSVersionInfoSize = sizeof(OSVERSIONINFOEXA);
        facts.workstation = GetVersionExA(reinterpret_cast<OSVERSIONINFOA*>(&extended)) &&
                            extended.wProductType == VER_NT_WORKSTATION;
    }
    return ClassifyOsVersion(facts);
}
