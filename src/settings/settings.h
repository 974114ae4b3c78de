#pragma once

#include <cstdint>
#include <string>

// The twelve user settings. Each field carries the name of its key in the settings file.
// Flags and colours are plain integers on purpose: a hand-edited file may hold any value,
// and every consumer tests flags for exactly 1 and colours for greater than 0.
struct Settings {
    int32_t TransAmount = 0;
    int32_t AutoStart = 0;
    int32_t LabelPos = 0;
    int32_t ShowComputerName = 0;
    int32_t ShowDomainName = 0;
    int32_t ShowUserID = 0;
    int32_t ShowIP = 0;
    std::string AddToDisplay;
    std::string FontName;
    int32_t FontSize = 0;
    int32_t FontColor = 0;
    int32_t BackColor = 0;
};

// The values a key missing from the settings file takes. A value-initialised record is all
// zero and empty, which is what the program holds before the settings are loaded.
Settings DefaultSettings();

// A colour is a COLORREF (0x00BBGGRR) in a signed integer; 0 or below means "none chosen".
inline bool IsColorChosen(int32_t color) {
    return color > 0;
}

// Pure black would read as "none chosen", so a black picked in a chooser is kept as
// red 0, green 0, blue 1.
constexpr int32_t kStoredBlack = 65536;
int32_t ColorFromChooser(uint32_t chosen);

// Corners of the screen, as LabelPos stores them.
enum LabelCorner : int32_t {
    kTopLeft = 1,
    kTopRight = 2,
    kBottomLeft = 3,
    kBottomRight = 4,
};

// The process-wide settings record, filled once at start-up and changed in place by the
// Configuration window.
namespace current {
extern ::Settings Settings;
}
