#include "settings/os_version.h"

int32_t ClassifyOsVersion(const OsVersionFacts& facts) {
    if (facts.platformId == kPlatformWin9x) {
        // The 9x family is told apart by its minor version alone.
        switch (facts.minor) {
        case 0:
            return 10;
        case 10:
            return 30;
        case 90:
            return 40;
        default:
            return kOsVersionUnknown;
        }
    }
    if (facts.platformId != kPlatformNt) {
        return kOsVersionUnknown;
    }
    switch (facts.major) {
    case 3:
        return 5;
    case 4:
        return 20;
    case 5:
        if (facts.minor == 0) {
            return 50;
        }
        if (facts.minor == 1) {
            return 60;
        }
        if (facts.minor == 2) {
            // 5.2 is both XP x64 (a workstation) and Server 2003.
            return facts.workstation ? 60 : 65;
        }
        return kOsVersionUnknown;
    case 6:
        if (facts.minor == 0) {
            return facts.workstation ? 70 : 75;
        }
        if (facts.minor == 1) {
            return facts.workstation ? 80 : 75;
        }
        return kOsVersionUnknown;
    default:
        return kOsVersionUnknown;
    }
}

bool IsWin9xFamily(int32_t osVersionCode) {
    return osVersionCode == 10 || osVersionCode == 30 || osVersionCode == 40;
}

bool IsOldNt(int32_t osVersionCode) {
    return osVersionCode == 5 || osVersionCode == 20;
}

namespace current {
int32_t OsVersionCode = 0;
}
