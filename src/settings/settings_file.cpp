#include "settings/settings_file.h"

#include <algorithm>
#include <variant>

namespace {

constexpr std::string_view kBlanks = " \t";
constexpr std::string_view kLineBreaks = "\r\n";
constexpr std::string_view kUtf8ByteOrderMark = "\xEF\xBB\xBF";

std::string_view TrimLeading(std::string_view text, std::string_view characters) {
    text.remove_prefix(std::min(text.find_first_not_of(characters), text.size()));
    return text;
}

std::string_view TrimTrailing(std::string_view text, std::string_view characters) {
    const size_t last = text.find_last_not_of(characters);
    return last == std::string_view::npos ? std::string_view{} : text.substr(0, last + 1);
}

// A NUL byte ends the line's content: whatever follows it up to the next line break is ignored.
// The texts end up in C-string calls, which would stop at the NUL anyway, so the record holds
// what the program will use; and cutting rather than breaking the line means a stray NUL inside
// one value can never make the bytes after it count as a key line of their own.
std::string_view ContentBeforeNul(std::string_view line) {
    return line.substr(0, line.find('\0'));
}

SettingsKeyLine SplitKeyLine(std::string_view line) {
    const size_t equals = line.find('=');
    if (equals == std::string_view::npos) {
        return {TrimTrailing(line, kBlanks), {}};
    }
    return {TrimTrailing(line.substr(0, equals), kBlanks),
            TrimLeading(line.substr(equals + 1), kBlanks)};
}

char AsciiLower(char c) {
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

bool SameKey(std::string_view a, std::string_view b) {
    return std::ranges::equal(a, b, {}, AsciiLower, AsciiLower);
}

bool IsDecimalDigit(char c) {
    return c >= '0' && c <= '9';
}

bool IsContinuationByte(unsigned char byte) {
    return byte >= 0x80 && byte <= 0xBF;
}

// How many bytes a UTF-8 lead byte announces after itself; 0 for a byte that starts nothing.
size_t AnnouncedFollowers(unsigned char lead) {
    if (lead >= 0xC0 && lead <= 0xDF) {
        return 1;
    }
    if (lead >= 0xE0 && lead <= 0xEF) {
        return 2;
    }
    if (lead >= 0xF0 && lead <= 0xF7) {
        return 3;
    }
    return 0;
}

using IntegerField = int32_t Settings::*;
using TextField = std::string Settings::*;

struct SettingsFieldEntry {
    std::string_view key;
    std::variant<IntegerField, TextField> field;
};

// The file's keys in the order a save writes them.
constexpr SettingsFieldEntry kSettingsFields[] = {
    {"TransAmount", &Settings::TransAmount},
    {"AutoStart", &Settings::AutoStart},
    {"LabelPos", &Settings::LabelPos},
    {"ShowComputerName", &Settings::ShowComputerName},
    {"ShowDomainName", &Settings::ShowDomainName},
    {"ShowUserID", &Settings::ShowUserID},
    {"ShowIP", &Settings::ShowIP},
    {"AddToDisplay", &Settings::AddToDisplay},
    {"FontName", &Settings::FontName},
    {"FontSize", &Settings::FontSize},
    {"FontColor", &Settings::FontColor},
    {"BackColor", &Settings::BackColor},
};

} // namespace

// A run of CR and LF bytes is one line break, so every line end is accepted and empty lines
// vanish. Comments are passed over; the first section header ends the reading, because the
// program selects no section and no lookup ever looks past it.
std::vector<SettingsKeyLine> ReadSettingsKeyLines(std::string_view text) {
    std::vector<SettingsKeyLine> keyLines;
    while (!text.empty()) {
        const std::string_view rawLine = text.substr(0, text.find_first_of(kLineBreaks));
        text = TrimLeading(text.substr(rawLine.size()), kLineBreaks);
        const std::string_view line = TrimLeading(ContentBeforeNul(rawLine), kBlanks);
        if (line.empty() || line.front() == ';') {
            continue;
        }
        if (line.front() == '[') {
            break;
        }
        keyLines.push_back(SplitKeyLine(line));
    }
    return keyLines;
}

std::optional<std::string_view> FindSettingsValue(std::span<const SettingsKeyLine> keyLines,
                                                  std::string_view key) {
    const auto found = std::ranges::find_if(
        keyLines, [key](const SettingsKeyLine& line) { return SameKey(line.key, key); });
    if (found == keyLines.end()) {
        return std::nullopt;
    }
    return found->value;
}

// atoi has no defined result past the int range; here the digits saturate instead, so a
// hand-edited 99999999999 reads as INT32_MAX and -99999999999 as INT32_MIN, whatever the
// number of digits.
int32_t ParseSettingsInteger(std::string_view value) {
    // The white space that atoi skips in the "C" locale.
    value = TrimLeading(value, " \t\n\v\f\r");
    bool negative = false;
    if (!value.empty() && (value.front() == '+' || value.front() == '-')) {
        negative = value.front() == '-';
        value.remove_prefix(1);
    }
    constexpr int64_t kSaturated = int64_t{INT32_MAX} + 1;
    int64_t magnitude = 0;
    for (const char digit : value) {
        if (!IsDecimalDigit(digit)) {
            break;
        }
        magnitude = std::min(magnitude * 10 + (digit - '0'), kSaturated);
    }
    const int64_t number = negative ? -magnitude : magnitude;
    return static_cast<int32_t>(std::clamp(number, int64_t{INT32_MIN}, int64_t{INT32_MAX}));
}

std::string_view TrimSettingsText(std::string_view value) {
    return TrimTrailing(TrimLeading(value, kBlanks), kBlanks);
}

// Characters up to U+00FF become their Latin-1 byte, which is what the ANSI code page holds
// for them on Western systems; anything else cannot be shown in single bytes and becomes '?'.
// A broken sequence follows fixed rules rather than failing the whole text.
std::string Utf8ToSingleBytes(std::string_view utf8) {
    std::string bytes;
    size_t at = 0;
    while (at < utf8.size()) {
        const auto lead = static_cast<unsigned char>(utf8[at]);
        const size_t remaining = utf8.size() - at - 1;
        const size_t announced = AnnouncedFollowers(lead);
        if (lead < 0x80) {
            bytes += static_cast<char>(lead);
            ++at;
            continue;
        }
        if (announced == 0 || announced > remaining) {
            ++at; // a byte that starts no character, or a character cut off by the end
            continue;
        }
        size_t followers = 0;
        while (followers < announced &&
               IsContinuationByte(static_cast<unsigned char>(utf8[at + 1 + followers]))) {
            ++followers;
        }
        if (announced == 1 && followers == 1) {
            const unsigned code =
                ((lead & 0x1Fu) << 6) | (static_cast<unsigned char>(utf8[at + 1]) & 0x3Fu);
            // A code below 0x80 in two bytes is an over-long form, which UTF-8 forbids: taken
            // as it stands, C0 8A would put a line feed into a text and split the settings file
            // at the next save. Like any other character the program cannot hold, it becomes '?'.
            bytes += code >= 0x80 && code < 256 ? static_cast<char>(code) : '?';
        } else {
            bytes += '?';
        }
        at += 1 + followers;
    }
    return bytes;
}

// Only the text values are converted from a UTF-8 file: keys and integers are ASCII in every
// file the program understands, so they read the same either way. A text is trimmed first
// and converted after, so a lead byte cut off by the end of the trimmed value is dropped.
Settings ParseSettingsText(std::string_view bytes) {
    const bool utf8 = bytes.starts_with(kUtf8ByteOrderMark);
    if (utf8) {
        bytes.remove_prefix(kUtf8ByteOrderMark.size());
    }
    const std::vector<SettingsKeyLine> keyLines = ReadSettingsKeyLines(bytes);
    Settings settings = DefaultSettings();
    for (const SettingsFieldEntry& entry : kSettingsFields) {
        const std::optional<std::string_view> value = FindSettingsValue(keyLines, entry.key);
        if (!value) {
            continue;
        }
        if (const IntegerField* integer = std::get_if<IntegerField>(&entry.field)) {
            settings.** integer = ParseSettingsInteger(*value);
        } else {
            const std::string_view text = TrimSettingsText(*value);
            settings.*std::get<TextField>(entry.field) =
                utf8 ? Utf8ToSingleBytes(text) : std::string(text);
        }
    }
    return settings;
}

std::string FormatSettingsText(const Settings& settings) {
    std::string text;
    for (const SettingsFieldEntry& entry : kSettingsFields) {
        text += entry.key;
        text += " = ";
        if (const IntegerField* integer = std::get_if<IntegerField>(&entry.field)) {
            text += std::to_string(settings.**integer);
        } else {
            text += settings.*std::get<TextField>(entry.field);
        }
        text += "\r\n";
    }
    return text;
}
