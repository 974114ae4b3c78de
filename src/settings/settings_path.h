#pragma once

#include <cstdint>
#include <optional>
#include <string>

// Where the settings file lies, and which folder start-up must make sure exists (empty when
// none: the Windows 95/98/ME family keeps the file straight in the Windows folder).
struct SettingsLocation {
    std::string file;
    std::string folder;
};

// An unset variable is passed as empty text, which puts the file at the root of the current
// drive; that is where the program has always looked in that case.
SettingsLocation SettingsLocationFor(int32_t osVersionCode, const std::string& windir,
                                     const std::string& localAppData);

// A long absolute path in the "\\?\" form that lifts the 260-character limit of the file
// functions; nothing for a path short enough to use as it is, or one the prefix would change
// the meaning of (relative, drive-relative, forward slashes).
std::optional<std::string> ExtendedLengthPath(const std::string& path);

// The program's own path as the Run value stores it: without an extended-length prefix, between
// double quotation marks, so a path with spaces starts as one program.
std::string RunValueData(const std::string& modulePath);

namespace current {
extern std::string SettingsPath;
}
