#pragma once

#include <cstdint>

// What the version query told us, reduced to the numbers the classification looks at.
struct OsVersionFacts {
    uint32_t platformId = 0;
    uint32_t major = 0;
    uint32_t minor = 0;
    bool workstation = false;
};

constexpr uint32_t kPlatformWin9x = 1; // VER_PLATFORM_WIN32_WINDOWS
constexpr uint32_t kPlatformNt = 2;    // VER_PLATFORM_WIN32_NT
constexpr int32_t kOsVersionUnknown = 100;

// Classifies a Windows version into the program's OsVersionCode (Windows 98 is 30,
// Windows 7 is 80, anything unrecognised or newer is 100).
int32_t ClassifyOsVersion(const OsVersionFacts& facts);

// The Windows 95, 98 and ME family keeps its settings in the Windows folder and has no
// per-user domain or layered windows.
bool IsWin9xFamily(int32_t osVersionCode);
// Windows NT 3.x and 4.0 have no layered windows either.
bool IsOldNt(int32_t osVersionCode);

namespace current {
extern int32_t OsVersionCode;
}
