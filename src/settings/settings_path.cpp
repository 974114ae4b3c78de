#include "settings/settings_path.h"

#include "settings/os_version.h"

namespace {

constexpr std::string_view kExtendedPrefix = "\\\\?\\";
constexpr std::string_view kExtendedUncPrefix = "\\\\?\\UNC\\";

// The ANSI functions take up to MAX_PATH (260) characters with the terminating zero, and a
// directory path must leave room for an 8.3 file name inside it.
constexpr size_t kLongestPlainPath = 260 - 12;

bool IsDriveAbsolute(const std::string& path) {
    return path.size() >= 3 && path[1] == ':' && path[2] == '\\';
}

} // namespace

SettingsLocation SettingsLocationFor(int32_t osVersionCode, const std::string& windir,
                                     const std::string& localAppData) {
    if (IsWin9xFamily(osVersionCode)) {
        return {windir + "\\Lumatag.ini", ""};
    }
    const std::string folder = localAppData + "\\Lumatag";
    return {folder + "\\config.ini", folder};
}

std::optional<std::string> ExtendedLengthPath(const std::string& path) {
    if (path.size() < kLongestPlainPath || path.starts_with(kExtendedPrefix) ||
        path.find('/') != std::string::npos) {
        return std::nullopt;
    }
    // The prefix switches off all path parsing, so it only ever goes before a complete path.
    if (IsDriveAbsolute(path)) {
        return std::string(kExtendedPrefix) + path;
    }
    if (path.starts_with("\\\\")) {
        return std::string(kExtendedUncPrefix) + path.substr(2);
    }
    return std::nullopt;
}

std::string RunValueData(const std::string& modulePath) {
    std::string path = modulePath;
    if (path.starts_with(kExtendedUncPrefix)) {
        path = "\\\\" + path.substr(kExtendedUncPrefix.size());
    } else if (path.starts_with(kExtendedPrefix)) {
        path = path.substr(kExtendedPrefix.size());
    }
    return "\"" + path + "\"";
}

namespace current {
std::string SettingsPath;
}
