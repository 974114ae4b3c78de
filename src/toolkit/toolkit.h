#pragma once

#include "toolkit/event.h"

#include <windows.h>

#include <optional>
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
};

// Registers the window class every window of the program uses: the icon resource given and
// the standard arrow cursor, on the button-face background.
void Initialize(HINSTANCE instance, const char* className, int iconResource);
// Destroys every open window and frees what the toolkit holds; the event queue is emptied.
void Shutdown();

// Opens a window under a number, hidden; a window already open under that number is closed
// first. Returns the new window's handle, or null when it cannot be created.
HWND OpenWindow(int number, const WindowSpec& spec);
void ShowWindowByNumber(int number, int showCommand);
void CloseWindow(int number);
HWND WindowHandle(int number);
void MoveWindowClientArea(int number, int x, int y, int clientWidth, int clientHeight);

// Creates a control under a number in an open window; a control already under that number
// is destroyed first. Control numbers are unique across all windows.
HWND CreateControl(int window, int control, const ControlSpec& spec);
HWND ControlHandle(int control);
void MoveControl(int control, int x, int y, int width, int height);
void SetControlText(int control, const std::string& text);
std::string ControlText(int control);
void SetControlFont(int control, HFONT font);
// Colours of a static control, answered on WM_CTLCOLORSTATIC. Setting the colour the control
// already has does nothing, so an unchanged colour never causes a repaint.
void SetControlTextColor(int control, COLORREF color);
void SetControlBackColor(int control, COLORREF color);

// Takes one event without blocking: first an event that a window procedure queued earlier;
// otherwise one message of the thread, which it dispatches after giving Tab and Shift+Tab to
// the active window's focus navigation. Returns the last control or menu event that arose
// while it handled that message, or else the message's own code; kNone when nothing waits.
Event Poll();

} // namespace toolkit
