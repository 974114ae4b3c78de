#pragma once

#include "toolkit/event.h"

#include <windows.h>

#include <cstdint>
#include <optional>
#include <span>
#include <string>

// A thin layer of numbered windows and controls over USER32, with one polling entry point.
// Every operation addressed to a number that is not open does nothing (getters return an
// empty value), so callers never have to check first. It knows nothing of the program that
// uses it.
namespace toolkit {

struct WindowSpec {
    std::string title;
    int clientWidth = 0;
    int clientHeight = 0;
    DWORD style = WS_OVERLAPPED;
    DWORD exStyle = 0;
    // Top-left corner of the outer window; centred on the primary screen when absent.
    std::optional<POINT> position;
};

enum class ControlKind {
    kStatic,    // "Static"; style bits come from the caller (alignment, prefix handling)
    kButton,    // "Button": push button, check box, option button or frame by its BS_ style
    kEdit,      // "Edit": reports gaining and losing the keyboard focus as toolkit events
    kTrackBar,  // "msctls_trackbar32": reports every scroll notification as a toolkit event
    kImage,     // "Static" showing a bitmap
    kLink,      // hyperlink text painted by the toolkit; reports a click as a toolkit event
};

struct ControlSpec {
    ControlKind kind = ControlKind::kStatic;
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    std::string text;
    DWORD style = 0; // added to WS_CHILD | WS_VISIBLE
    DWORD exStyle = 0;
    std::optional<int> image; // kImage: the number of the image it shows from the start
    COLORREF linkColor = 0;   // kLink: the text colour while the mouse pointer is over it
};

// The layout most controls need, in one expression; the kind-specific fields stay at their
// defaults for the caller to set.
ControlSpec ControlLayout(ControlKind kind, int x, int y, int width, int height, std::string text,
                          DWORD style, DWORD exStyle = 0);

// Registers the window class every window of the program uses: the icon resource given and
// the standard arrow cursor, on the button-face background.
void Initialize(HINSTANCE instance, const char* className, int iconResource);
// Destroys every open window and frees what the toolkit holds; the event queue is emptied.
void Shutdown();

// Images by number, owned by the toolkit until replaced under their number or until Shutdown.
// Decodes a BMP file held in memory into a true-colour bitmap under a number; the image held
// under that number before is freed either way. False, and no image under the number, when the
// bytes are not an uncompressed BMP that lies wholly within them.
bool LoadBmpImage(int number, std::span<const uint8_t> bytes);
HBITMAP ImageHandle(int number);
// Shows an image in an image control (which may resize itself to it); it stays the table's.
void SetControlImage(int control, int image);

// Fonts by number, owned by the toolkit until replaced under their number or until Shutdown.
namespace font_style {
constexpr unsigned kBold = 1;
constexpr unsigned kItalic = 2;
constexpr unsigned kUnderline = 4;
constexpr unsigned kStrikeOut = 8;
} // namespace font_style
// Makes a font from a face name, a size in points at the display's resolution and font_style
// flags; the font made before under that number is deleted either way, so it must no longer
// be in use. Returns the new font, or null when it cannot be made.
HFONT MakeFont(int number, const std::string& faceName, int points, unsigned styleFlags);
// The character height CreateFontA is asked for: a negative height requests that many points
// at the display's vertical resolution (8 points at 96 dpi give -11).
int FontHeightForPoints(int points);
HFONT FontHandle(int number);

// Opens a window under a number, hidden; a window already open under that number is closed
// first. Returns the new window's handle, or null when it cannot be created.
HWND OpenWindow(int number, const WindowSpec& layout);
void ShowWindowByNumber(int number, int showCommand);
void CloseWindow(int number);
HWND WindowHandle(int number);
void MoveWindowClientArea(int number, int x, int y, int clientWidth, int clientHeight);

// Creates a control under a number in an open window; a control already under that number
// is destroyed first. Control numbers are unique across all windows.
HWND CreateControl(int window, int control, const ControlSpec& layout);
HWND ControlHandle(int control);
void MoveControl(int control, int x, int y, int width, int height);
void SetControlText(int control, const std::string& text);
std::string ControlText(int control);
void SetControlFont(int control, HFONT font);
// Colours of a static control, answered on WM_CTLCOLORSTATIC. Setting the colour the control
// already has does nothing, so an unchanged colour never causes a repaint.
void SetControlTextColor(int control, COLORREF color);
void SetControlBackColor(int control, COLORREF color);
// The system's default GUI font (DEFAULT_GUI_FONT) on a control.
void SetControlGuiFont(int control);
void EnableControl(int control, bool enabled);

// Check boxes and option buttons: 1 when checked, 0 when not (and for any other control).
int ControlState(int control);
// Any non-zero state checks the button, 0 clears it. Checking an option button clears the
// other option buttons of its group, as a click does.
void SetControlState(int control, int state);

// Track bars. A position outside the range is shown at the nearest end.
void SetTrackBarRange(int control, int minimum, int maximum);
void SetTrackBarPosition(int control, int position);
int TrackBarPosition(int control);

// Takes one event without blocking: first an event that a window procedure queued earlier;
// otherwise one message of the thread, which it dispatches after giving Tab and Shift+Tab to
// the active window's focus navigation. Returns the first event that arose while it took and
// handled that message (any others follow, in order, in the next polls), or else the
// message's own code; kNone when nothing waits.
Event Poll();

} // namespace toolkit
