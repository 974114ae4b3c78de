// The yardstick for `make bench`: the least a Win32 program can do and still show a one-line
// label in a corner. One top-level pop-up window with one static control, and Lumatag's main
// loop (a non-blocking poll, a work-area read on every pass, a 1 ms pause with the timer
// resolution raised only around it), and nothing else: no settings, no identity lookup, no
// common controls, no COM, no resources. Whatever Lumatag costs beyond this program is what
// its own work costs.
//
// A rebuild here is the part of Lumatag's rebuild that no label can skip: a new font, a move
// and resize of the window and its control, WM_SETFONT and the text. It runs once at start-up,
// once per registered rebuild message the driver sends, and when the work area's bottom edge
// moves, as Lumatag's does.

#include "bench_protocol.h"

#include <windows.h>
#include <mmsystem.h>

#include <string>

namespace {

struct Label {
    HWND window = nullptr;
    HWND text = nullptr;
    HFONT font = nullptr;
    int fontHeight = 0;
    std::string caption;
    SIZE size{};
    LONG workAreaBottom = 0;
};

Label g_label;
UINT g_rebuildMessage = 0;
bool g_quit = false;

LONG ReadWorkAreaBottom() {
    RECT area{};
    if (SystemParametersInfoA(SPI_GETWORKAREA, 0, &area, 0)) {
        return area.bottom;
    }
    return g_label.workAreaBottom;
}

HFONT CreateArial8(int height) {
    return CreateFontA(height, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                       OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                       DEFAULT_PITCH | FF_DONTCARE, "Arial");
}

// Measured once: a label that never changes its text needs its size only once, so the
// reference's rebuild keeps to what every rebuild must do.
SIZE MeasureOnce(int fontHeight, const std::string& text) {
    SIZE size{};
    const HFONT font = CreateArial8(fontHeight);
    const HDC dc = CreateCompatibleDC(nullptr);
    if (font != nullptr && dc != nullptr) {
        const HGDIOBJ previous = SelectObject(dc, font);
        GetTextExtentPoint32A(dc, text.data(), static_cast<int>(text.size()), &size);
        SelectObject(dc, previous);
    }
    if (dc != nullptr) {
        DeleteDC(dc);
    }
    if (font != nullptr) {
        DeleteObject(font);
    }
    return size;
}

void Rebuild(int drop) {
    Label& label = g_label;
    const int x = GetSystemMetrics(SM_CXSCREEN) - label.size.cx;
    const int y = label.workAreaBottom - label.size.cy - drop;
    SetWindowPos(label.window, nullptr, x, y, label.size.cx, label.size.cy,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    MoveWindow(label.text, 0, 0, label.size.cx, label.size.cy, TRUE);
    const HFONT font = CreateArial8(label.fontHeight);
    SendMessageA(label.text, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    if (label.font != nullptr) {
        DeleteObject(label.font);
    }
    label.font = font;
    SetWindowTextA(label.text, label.caption.c_str());
}

LRESULT CALLBACK WindowProcedure(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_CLOSE) {
        // As in Lumatag, a close request ends the loop and the window goes at shutdown.
        g_quit = true;
        return 0;
    }
    if (message == g_rebuildMessage && g_rebuildMessage != 0) {
        Rebuild(static_cast<int>(wParam % 2));
        return 1;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

std::string EnvironmentValue(const char* name) {
    const DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0) {
        return {};
    }
    std::string value(size, '\0');
    value.resize(GetEnvironmentVariableA(name, value.data(), size));
    return value;
}

void CreateLabel(HINSTANCE instance) {
    Label& label = g_label;
    // Built around the value: GCC 12 gives a false -Wrestrict warning on " " + std::string.
    label.caption = EnvironmentValue("COMPUTERNAME");
    label.caption.insert(label.caption.begin(), ' ');
    label.caption.push_back(' ');
    int pixelsPerInch = 96;
    if (const HDC screen = GetDC(nullptr)) {
        pixelsPerInch = GetDeviceCaps(screen, LOGPIXELSY);
        ReleaseDC(nullptr, screen);
    }
    label.fontHeight = -MulDiv(8, pixelsPerInch, 72);
    label.size = MeasureOnce(label.fontHeight, label.caption);

    WNDCLASSA windowClass{};
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = "LumatagReferenceWindow";
    RegisterClassA(&windowClass);
    label.window = CreateWindowExA(WS_EX_TOOLWINDOW | WS_EX_TOPMOST, windowClass.lpszClassName,
                                   bench::kReferenceTitle, WS_POPUP, 0, 0, 0, 0, nullptr, nullptr,
                                   instance, nullptr);
    label.text = CreateWindowExA(
        0, "Static", "", WS_CHILD | WS_VISIBLE | SS_CENTER | SS_NOPREFIX, 0, 0, 0, 0, label.window,
        reinterpret_cast<HMENU>(static_cast<INT_PTR>(bench::kReferenceTextControl)), instance,
        nullptr);
    Rebuild(0);
    ShowWindow(label.window, SW_SHOW);
}

void PauseOneMillisecond() {
    timeBeginPeriod(1);
    Sleep(1);
    timeEndPeriod(1);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    g_rebuildMessage = RegisterWindowMessageA(bench::kRebuildMessage);
    g_label.workAreaBottom = ReadWorkAreaBottom();
    CreateLabel(instance);
    while (true) {
        MSG message{};
        if (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD)) {
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        const LONG bottom = ReadWorkAreaBottom();
        if (bottom != g_label.workAreaBottom) {
            g_label.workAreaBottom = bottom;
            Rebuild(0);
        }
        PauseOneMillisecond();
        if (g_quit) {
            break;
        }
    }
    DestroyWindow(g_label.window);
    if (g_label.font != nullptr) {
        DeleteObject(g_label.font);
    }
    ExitProcess(0);
}
