#pragma once

#include "settings/settings.h"

#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

// The generic reader: it knows key lines, comments and section headers, not the twelve keys.

// One key line as it stands in the file. Both views point into the text that was read.
struct SettingsKeyLine {
    std::string_view key;
    std::string_view value;
};

// The key lines before the first section header, in file order.
std::vector<SettingsKeyLine> ReadSettingsKeyLines(std::string_view text);

// The value of the first key line whose key matches, ASCII letters compared without case.
std::optional<std::string_view> FindSettingsValue(std::span<const SettingsKeyLine> keyLines,
                                                  std::string_view key);

// A value read as the C library's atoi reads it, held to the signed 32-bit range.
int32_t ParseSettingsInteger(std::string_view value);

// A value with spaces and tabs removed from both ends.
std::string_view TrimSettingsText(std::string_view value);

// A UTF-8 text turned into single bytes: characters from U+0080 to U+00FF keep their code;
// other characters and over-long forms become '?', and broken sequences lose bytes.
std::string Utf8ToSingleBytes(std::string_view utf8);

// The twelve settings, as the settings file holds them.

// The whole settings file as a read gives it; missing keys take their defaults.
Settings ParseSettingsText(std::string_view bytes);

// The whole settings file as a save writes it: twelve "Key = value" lines ending in CR LF.
std::string FormatSettingsText(const Settings& settings);
