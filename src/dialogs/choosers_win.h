#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>

// The system's colour and font choosers, run as modal dialogs of the program (see
// toolkit::ModalDialogScope). Each returns nothing when the user cancels or the dialog fails.

// The colour chooser, opened on initial with its custom-colour section folded away. Its 16
// custom colours live for the whole run; the first is set to initial before every opening.
std::optional<COLORREF> RunColorChooser(COLORREF initial);

// What the font chooser starts from: the face (its first 31 characters when longer, all the
// LOGFONT has room for), the size in points unless it is 0, regular weight, no effects.
LOGFONTA FontChooserStartFont(const std::string& faceName, int32_t points);

struct FontChoice {
    std::string faceName;
    int32_t pointTenths = 0; // the size in tenths of a point
    COLORREF color = 0;
};

// The font chooser with its effects group, on screen and printer fonts, started from
// FontChooserStartFont and the colour given. Every opening starts afresh.
std::optional<FontChoice> RunFontChooser(const std::string& faceName, int32_t points,
                                         COLORREF initialColor);
