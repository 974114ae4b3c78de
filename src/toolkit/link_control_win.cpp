#include "toolkit/toolkit_internal_win.h"

#include "toolkit/unique_handle.h"

#include <commctrl.h>

#include <map>
#include <memory>
#include <new>

// The hyperlink: a "Static" text control subclassed so that the toolkit paints it and handles
// its mouse input itself. The system static would otherwise get in the way twice: without
// SS_NOTIFY it answers WM_NCHITTEST with HTTRANSPARENT, so it never sees the mouse, and it
// paints its text straight onto the screen when its text changes (WM_SETTEXT, WM_ENABLE),
// bypassing WM_PAINT.
namespace toolkit::internal {
namespace {

constexpr COLORREF kTextColor = RGB(0, 0, 0);

struct Link {
    WNDPROC original = nullptr;
    int number = 0;
    COLORREF linkColor = 0;
    HFONT font = nullptr; // borrowed from whoever set it, as with any control
    bool pressed = false; // the left button went down over the link and is still down
    bool hovered = false;
};

std::map<HWND, Link>& Links() {
    static std::map<HWND, Link> links;
    return links;
}

bool IsInside(HWND handle, LPARAM lParam) {
    RECT client{};
    GetClientRect(handle, &client);
    // Coordinates are signed 16-bit: while the link holds the capture, a release left of or
    // above it arrives with negative ones.
    const POINT point{static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    return PtInRect(&client, point) != FALSE;
}

void SetHovered(HWND handle, Link& link, bool hovered) {
    if (link.hovered == hovered) {
        return;
    }
    link.hovered = hovered;
    if (hovered) {
        // The comctl32 form of TrackMouseEvent, which Windows 95 has too.
        TRACKMOUSEEVENT leave{sizeof(TRACKMOUSEEVENT), TME_LEAVE, handle, 0};
        _TrackMouseEvent(&leave);
    }
    InvalidateRect(handle, nullptr, TRUE);
}

void ShowHandCursor() {
    // Shared system cursors: loaded, never freed. Windows 95 and NT 4.0 have no hand cursor.
    HCURSOR cursor = LoadCursorA(nullptr, IDC_HAND);
    if (cursor == nullptr) {
        cursor = LoadCursorA(nullptr, IDC_ARROW);
    }
    SetCursor(cursor);
}

// The text in one line from the top-left corner, on the background the parent gives its
// static controls (WM_CTLCOLORSTATIC, as the system static asks for it), in black, or in the
// link colour while the pointer is over it.
void Paint(HWND handle, HDC dc, const Link& link) {
    RECT client{};
    GetClientRect(handle, &client);
    auto brush = reinterpret_cast<HBRUSH>(SendMessageA(GetParent(handle), WM_CTLCOLORSTATIC,
                                                       reinterpret_cast<WPARAM>(dc),
                                                       reinterpret_cast<LPARAM>(handle)));
    if (brush == nullptr) {
        brush = GetSysColorBrush(COLOR_BTNFACE);
    }
    FillRect(dc, &client, brush);

    const int length = GetWindowTextLengthA(handle);
    if (length <= 0) {
        return;
    }
    // No exception may leave a window procedure, so the buffer is allocated without one.
    const std::unique_ptr<char[]> text(new (std::nothrow) char[static_cast<size_t>(length) + 1]);
    if (!text) {
        return;
    }
    const int copied = GetWindowTextA(handle, text.get(), length + 1);
    UINT format = DT_LEFT | DT_TOP | DT_SINGLELINE;
    if ((GetWindowLongA(handle, GWL_STYLE) & SS_NOPREFIX) != 0) {
        format |= DT_NOPREFIX;
    }
    SetTextColor(dc, link.hovered ? link.linkColor : kTextColor);
    SetBkMode(dc, TRANSPARENT);
    const ScopedSelectObject selectFont(dc, link.font != nullptr ? static_cast<HGDIOBJ>(link.font)
                                                                 : GetStockObject(SYSTEM_FONT));
    DrawTextA(dc, text.get(), copied, &client, format);
}

// The press must start on the link and the release end on it; the capture taken at the press
// brings the release here wherever it happens.
void OnButtonUp(HWND handle, Link& link, LPARAM lParam) {
    const bool wasPressed = link.pressed;
    link.pressed = false;
    if (GetCapture() == handle) {
        ReleaseCapture();
    }
    if (wasPressed && IsInside(handle, lParam)) {
        QueueToolkitEvent({event_code::kControl, 0, 0, link.number, 0});
    }
}

LRESULT OnPaint(HWND handle, const Link& link, WPARAM wParam) {
    if (wParam != 0) { // WM_PRINTCLIENT: the caller's DC
        Paint(handle, reinterpret_cast<HDC>(wParam), link);
        return 0;
    }
    PAINTSTRUCT paint{};
    if (const HDC dc = BeginPaint(handle, &paint)) {
        Paint(handle, dc, link);
        EndPaint(handle, &paint);
    }
    return 0;
}

LRESULT CALLBACK LinkProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    const auto found = Links().find(handle);
    if (found == Links().end()) {
        return DefWindowProcA(handle, message, wParam, lParam);
    }
    Link& link = found->second;
    switch (message) {
    case WM_NCHITTEST:
        return HTCLIENT;
    case WM_SETCURSOR:
        ShowHandCursor();
        return TRUE;
    case WM_MOUSEMOVE:
        SetHovered(handle, link, IsInside(handle, lParam));
        return 0;
    case WM_MOUSELEAVE:
        SetHovered(handle, link, false);
        return 0;
    case WM_LBUTTONDOWN:
        link.pressed = true;
        SetCapture(handle);
        return 0;
    case WM_LBUTTONUP:
        OnButtonUp(handle, link, lParam);
        return 0;
    case WM_CAPTURECHANGED:
        // Something else took the mouse (a menu, a switch of windows): the press is void.
        link.pressed = false;
        return 0;
    case WM_PAINT:
    case WM_PRINTCLIENT:
        return OnPaint(handle, link, message == WM_PRINTCLIENT ? wParam : 0);
    case WM_ERASEBKGND:
        return 1; // WM_PAINT fills the background itself, so nothing flickers
    case WM_SETFONT:
        link.font = reinterpret_cast<HFONT>(wParam);
        if (LOWORD(lParam) != 0) {
            InvalidateRect(handle, nullptr, TRUE);
        }
        return 0;
    case WM_GETFONT:
        return reinterpret_cast<LRESULT>(link.font);
    case WM_SETTEXT: {
        const LRESULT result = DefWindowProcA(handle, message, wParam, lParam);
        InvalidateRect(handle, nullptr, TRUE);
        return result;
    }
    case WM_ENABLE:
    case WM_SYSCOLORCHANGE:
        InvalidateRect(handle, nullptr, TRUE);
        return 0;
    case WM_NCDESTROY: {
        const WNDPROC original = link.original;
        Links().erase(found);
        return CallWindowProcA(original, handle, message, wParam, lParam);
    }
    default:
        return CallWindowProcA(link.original, handle, message, wParam, lParam);
    }
}

} // namespace

void MakeLink(HWND control, int number, COLORREF linkColor) {
    // Registered before the switch, so the first message the new procedure sees finds it.
    Link& link = Links()[control];
    link.number = number;
    link.linkColor = linkColor;
    link.original = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrA(control, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&LinkProcedure)));
    if (link.original == nullptr) {
        Links().erase(control); // still the plain static: it shows its text and nothing more
        return;
    }
    InvalidateRect(control, nullptr, TRUE);
}

} // namespace toolkit::internal
