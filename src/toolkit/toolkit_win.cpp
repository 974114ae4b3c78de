#include "toolkit/toolkit.h"

#include "toolkit/event_queue.h"
#include "toolkit/system_win.h"
#include "toolkit/toolkit_internal_win.h"
#include "toolkit/unique_handle.h"

#include <commctrl.h>

#include <algorithm>
#include <limits>
#include <map>
#include <vector>

namespace toolkit {
namespace {

struct ControlEntry {
    HWND handle = nullptr; // owned by its parent window, destroyed with it
    int window = 0;
    ControlKind kind = ControlKind::kStatic;
    std::optional<COLORREF> textColor;
    std::optional<COLORREF> backColor;
    UniqueBrush backBrush; // the brush WM_CTLCOLORSTATIC hands out for backColor
};

struct State {
    HINSTANCE instance = nullptr;
    std::string className;
    std::map<int, UniqueWindow> windows;
    std::map<int, ControlEntry> controls;
    // Every event a window procedure raises waits here, in the order it arose. Taking and
    // dispatching one message can raise several: PeekMessageA also delivers every message that
    // other threads send meanwhile, so a click sent to a button can arrive together with a
    // track bar's notification; they must reach the loop in order, and none may be dropped.
    EventQueue queue;
};

State& TheState() {
    static State state;
    return state;
}

const char* ClassNameOf(ControlKind kind) {
    switch (kind) {
    case ControlKind::kStatic:
        return "Static";
    case ControlKind::kButton:
        return "Button";
    case ControlKind::kEdit:
        return "Edit";
    case ControlKind::kTrackBar:
        return TRACKBAR_CLASSA;
    case ControlKind::kImage:
    case ControlKind::kLink:
        return "Static";
    }
    return "Static";
}

int NumberOfWindow(HWND handle) {
    for (const auto& [number, window] : TheState().windows) {
        if (window.get() == handle) {
            return number;
        }
    }
    return 0;
}

ControlEntry* FindControl(int control) {
    auto& controls = TheState().controls;
    const auto found = controls.find(control);
    return found == controls.end() ? nullptr : &found->second;
}

std::pair<int, ControlEntry*> FindControlByHandle(HWND handle) {
    for (auto& [number, entry] : TheState().controls) {
        if (entry.handle == handle) {
            return {number, &entry};
        }
    }
    return {0, nullptr};
}

void QueueEvent(const Event& event) {
    TheState().queue.Push(event);
}

void OnCommand(WPARAM wParam, LPARAM lParam) {
    const auto notification = static_cast<int>(HIWORD(wParam));
    const auto sender = reinterpret_cast<HWND>(lParam);
    if (sender == nullptr) {
        // Menus send notification 0 with no sender; accelerators send 1, which we have none of.
        if (notification == 0) {
            QueueEvent({event_code::kMenu, 0, static_cast<int>(LOWORD(wParam)), 0, 0});
        }
        return;
    }
    const auto [number, entry] = FindControlByHandle(sender);
    if (entry == nullptr) {
        return;
    }
    if (entry->kind == ControlKind::kEdit &&
        (notification == EN_SETFOCUS || notification == EN_KILLFOCUS)) {
        const int type =
            notification == EN_SETFOCUS ? event_type::kFocusGained : event_type::kFocusLost;
        QueueEvent({event_code::kControl, 0, 0, number, type});
        return;
    }
    QueueEvent({event_code::kControl, 0, 0, number, notification});
}

void OnScroll(LPARAM lParam) {
    const auto [number, entry] = FindControlByHandle(reinterpret_cast<HWND>(lParam));
    if (entry != nullptr && entry->kind == ControlKind::kTrackBar) {
        QueueEvent({event_code::kControl, 0, 0, number, 0});
    }
}

// The colours a static control asks its parent for. With neither colour set the question is
// left to the system defaults.
std::optional<LRESULT> OnControlColor(HDC dc, HWND controlHandle) {
    const auto [number, entry] = FindControlByHandle(controlHandle);
    if (entry == nullptr || (!entry->textColor && !entry->backColor)) {
        return std::nullopt;
    }
    if (entry->textColor) {
        SetTextColor(dc, *entry->textColor);
    }
    if (entry->backColor && entry->backBrush) {
        SetBkColor(dc, *entry->backColor);
        return reinterpret_cast<LRESULT>(entry->backBrush.get());
    }
    SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
    return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
}

LRESULT CALLBACK WindowProcedure(HWND handle, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
    case WM_CLOSE: {
        // Numbered windows never close on request: the program decides what a close means.
        const int number = NumberOfWindow(handle);
        if (number != 0) {
            QueueEvent({event_code::kClose, number, 0, 0, 0});
        }
        return 0;
    }
    case WM_COMMAND:
        OnCommand(wParam, lParam);
        return 0;
    case WM_HSCROLL:
    case WM_VSCROLL:
        OnScroll(lParam);
        return 0;
    case WM_CTLCOLORSTATIC:
        if (const auto answer =
                OnControlColor(reinterpret_cast<HDC>(wParam), reinterpret_cast<HWND>(lParam))) {
            return *answer;
        }
        break;
    default:
        break;
    }
    return DefWindowProcA(handle, message, wParam, lParam);
}

void ForgetControlsOf(int window) {
    auto& controls = TheState().controls;
    std::erase_if(controls, [window](const auto& item) { return item.second.window == window; });
}

// Tab and Shift+Tab move the focus among the active window's enabled, visible tab stops,
// wrapping at either end. Returns true when the key was used for that.
bool NavigateWithTab(const MSG& message) {
    if (message.message != WM_KEYDOWN || message.wParam != VK_TAB) {
        return false;
    }
    const HWND active = GetActiveWindow();
    if (active == nullptr || NumberOfWindow(active) == 0) {
        return false;
    }
    const bool backwards = (GetKeyState(VK_SHIFT) & 0x8000) != 0;
    HWND focus = GetFocus();
    if (focus != nullptr && !IsChild(active, focus)) {
        focus = nullptr;
    }
    HWND next = nullptr;
    if (focus == nullptr) {
        // Nothing has the focus yet: the first Tab goes to the first tab stop, Shift+Tab to
        // the last one.
        const HWND first = GetNextDlgTabItem(active, nullptr, FALSE);
        next = (backwards && first != nullptr) ? GetNextDlgTabItem(active, first, TRUE) : first;
    } else {
        next = GetNextDlgTabItem(active, focus, backwards ? TRUE : FALSE);
    }
    if (next == nullptr) {
        return false;
    }
    SetFocus(next);
    return true;
}

RECT CentredOuterRect(const WindowSpec& layout) {
    RECT outer{0, 0, layout.clientWidth, layout.clientHeight};
    AdjustWindowRectEx(&outer, layout.style, FALSE, layout.exStyle);
    const int screenWidth = GetSystemMetrics(SM_CXSCREEN);
    const int screenHeight = GetSystemMetrics(SM_CYSCREEN);
    const int width = std::min<int>(outer.right - outer.left, screenWidth);
    const int height = std::min<int>(outer.bottom - outer.top, screenHeight);
    const int x = (screenWidth - width) / 2;
    const int y = (screenHeight - height) / 2;
    return {x, y, x + width, y + height};
}

} // namespace

namespace internal {
void QueueToolkitEvent(const Event& event) {
    QueueEvent(event);
}
} // namespace internal

void Initialize(HINSTANCE instance, const char* className, int iconResource) {
    State& state = TheState();
    state.instance = instance;
    state.className = className;
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof(windowClass);
    windowClass.lpfnWndProc = WindowProcedure;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(iconResource));
    windowClass.hIconSm = windowClass.hIcon;
    windowClass.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
    windowClass.lpszClassName = state.className.c_str();
    RegisterClassExA(&windowClass);
}

void Shutdown() {
    // Windows go before the control entries, so the brushes outlive every control that paints
    // with them; the tables are emptied first so nothing sent during destruction finds them.
    State& state = TheState();
    auto windows = std::move(state.windows);
    auto controls = std::move(state.controls);
    state.windows.clear();
    state.controls.clear();
    windows.clear();
    controls.clear();
    // Fonts and images only after every control that shows them is gone.
    internal::FreeFonts();
    internal::FreeImages();
    internal::FreeSystemLibraries();
    state.queue.Clear();
}

HWND OpenWindow(int number, const WindowSpec& layout) {
    CloseWindow(number);
    State& state = TheState();
    RECT outer{};
    if (layout.position) {
        outer = {0, 0, layout.clientWidth, layout.clientHeight};
        AdjustWindowRectEx(&outer, layout.style, FALSE, layout.exStyle);
        OffsetRect(&outer, layout.position->x - outer.left, layout.position->y - outer.top);
    } else {
        outer = CentredOuterRect(layout);
    }
    const HWND handle =
        CreateWindowExA(layout.exStyle, state.className.c_str(), layout.title.c_str(),
                        layout.style & ~WS_VISIBLE, outer.left, outer.top, outer.right - outer.left,
                        outer.bottom - outer.top, nullptr, nullptr, state.instance, nullptr);
    if (handle != nullptr) {
        state.windows[number] = UniqueWindow(handle);
    }
    return handle;
}

void ShowWindowByNumber(int number, int showCommand) {
    if (const HWND handle = WindowHandle(number)) {
        ShowWindow(handle, showCommand);
    }
}

void CloseWindow(int number) {
    State& state = TheState();
    const auto found = state.windows.find(number);
    if (found == state.windows.end()) {
        return;
    }
    // The table entry goes first so that messages sent while the window is destroyed no
    // longer find it; its controls die with it, and their entries (brushes) after them.
    UniqueWindow closing = std::move(found->second);
    state.windows.erase(found);
    closing.reset();
    ForgetControlsOf(number);
}

HWND WindowHandle(int number) {
    const auto& windows = TheState().windows;
    const auto found = windows.find(number);
    return found == windows.end() ? nullptr : found->second.get();
}

void MoveWindowClientArea(int number, int x, int y, int clientWidth, int clientHeight) {
    const HWND handle = WindowHandle(number);
    if (handle == nullptr) {
        return;
    }
    RECT outer{0, 0, clientWidth, clientHeight};
    AdjustWindowRectEx(&outer, static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)), FALSE,
                       static_cast<DWORD>(GetWindowLongA(handle, GWL_EXSTYLE)));
    SetWindowPos(handle, nullptr, x, y, outer.right - outer.left, outer.bottom - outer.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

ControlSpec ControlLayout(ControlKind kind, int x, int y, int width, int height, std::string text,
                          DWORD style, DWORD exStyle) {
    ControlSpec layout;
    layout.kind = kind;
    layout.x = x;
    layout.y = y;
    layout.width = width;
    layout.height = height;
    layout.text = std::move(text);
    layout.style = style;
    layout.exStyle = exStyle;
    return layout;
}

HWND CreateControl(int window, int control, const ControlSpec& layout) {
    const HWND parent = WindowHandle(window);
    if (parent == nullptr) {
        return nullptr;
    }
    if (ControlEntry* old = FindControl(control)) {
        DestroyWindow(old->handle);
        TheState().controls.erase(control);
    }
    // An image control is a static of the bitmap type whatever else the caller asks for.
    const DWORD kindStyle = layout.kind == ControlKind::kImage ? DWORD{SS_BITMAP} : 0;
    const HWND handle = CreateWindowExA(
        layout.exStyle, ClassNameOf(layout.kind), layout.text.c_str(),
        WS_CHILD | WS_VISIBLE | kindStyle | layout.style, layout.x, layout.y, layout.width,
        layout.height, parent, reinterpret_cast<HMENU>(static_cast<INT_PTR>(control)),
        TheState().instance, nullptr);
    if (handle != nullptr) {
        ControlEntry& entry = TheState().controls[control];
        entry.handle = handle;
        entry.window = window;
        entry.kind = layout.kind;
        if (layout.kind == ControlKind::kLink) {
            internal::MakeLink(handle, control, layout.linkColor);
        }
        if (layout.image) {
            SetControlImage(control, *layout.image);
        }
    }
    return handle;
}

HWND ControlHandle(int control) {
    const ControlEntry* entry = FindControl(control);
    return entry == nullptr ? nullptr : entry->handle;
}

void MoveControl(int control, int x, int y, int width, int height) {
    if (const HWND handle = ControlHandle(control)) {
        MoveWindow(handle, x, y, width, height, TRUE);
    }
}

void SetControlText(int control, const std::string& text) {
    if (const HWND handle = ControlHandle(control)) {
        SetWindowTextA(handle, text.c_str());
    }
}

std::string ControlText(int control) {
    const HWND handle = ControlHandle(control);
    if (handle == nullptr) {
        return {};
    }
    const int length = GetWindowTextLengthA(handle);
    if (length <= 0 || length == std::numeric_limits<int>::max()) {
        return {};
    }
    std::string text(static_cast<size_t>(length) + 1, '\0');
    const int copied = GetWindowTextA(handle, text.data(), length + 1);
    text.resize(static_cast<size_t>(std::max(copied, 0)));
    return text;
}

void SetControlFont(int control, HFONT font) {
    if (const HWND handle = ControlHandle(control)) {
        SendMessageA(handle, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    }
}

namespace {
void RepaintWhole(HWND handle) {
    RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_ERASE);
}
} // namespace

void SetControlTextColor(int control, COLORREF color) {
    ControlEntry* entry = FindControl(control);
    if (entry == nullptr || entry->textColor == color) {
        return;
    }
    entry->textColor = color;
    RepaintWhole(entry->handle);
}

void SetControlBackColor(int control, COLORREF color) {
    ControlEntry* entry = FindControl(control);
    if (entry == nullptr || entry->backColor == color) {
        return;
    }
    entry->backColor = color;
    entry->backBrush.reset(CreateSolidBrush(color));
    RepaintWhole(entry->handle);
}

void SetControlGuiFont(int control) {
    // A stock object: the system owns it, so nobody frees it and it outlives every control.
    SetControlFont(control, static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT)));
}

void EnableControl(int control, bool enabled) {
    if (const HWND handle = ControlHandle(control)) {
        EnableWindow(handle, enabled ? TRUE : FALSE);
    }
}

namespace {

HWND ControlHandleOfKind(int control, ControlKind kind) {
    const ControlEntry* entry = FindControl(control);
    return entry != nullptr && entry->kind == kind ? entry->handle : nullptr;
}

bool IsOptionButton(HWND handle) {
    const auto type = static_cast<DWORD>(GetWindowLongA(handle, GWL_STYLE)) & BS_TYPEMASK;
    return type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON;
}

bool StartsGroup(HWND handle) {
    return (GetWindowLongA(handle, GWL_STYLE) & WS_GROUP) != 0;
}

// BM_SETCHECK checks one option button only; a click would also clear the others of its
// group, which runs from the nearest sibling at or before it with WS_GROUP up to the next
// sibling with WS_GROUP. Walked by hand, because GetNextDlgGroupItem skips disabled and
// hidden buttons, which must be cleared all the same.
void ClearOtherOptionsOfGroup(HWND checked) {
    HWND first = checked;
    while (!StartsGroup(first)) {
        const HWND previous = GetWindow(first, GW_HWNDPREV);
        if (previous == nullptr) {
            break;
        }
        first = previous;
    }
    for (HWND sibling = first; sibling != nullptr; sibling = GetWindow(sibling, GW_HWNDNEXT)) {
        if (sibling != first && StartsGroup(sibling)) {
            break;
        }
        if (sibling != checked && IsOptionButton(sibling)) {
            SendMessageA(sibling, BM_SETCHECK, BST_UNCHECKED, 0);
        }
    }
}

} // namespace

int ControlState(int control) {
    const HWND handle = ControlHandleOfKind(control, ControlKind::kButton);
    if (handle == nullptr) {
        return 0;
    }
    return SendMessageA(handle, BM_GETCHECK, 0, 0) == BST_CHECKED ? 1 : 0;
}

void SetControlState(int control, int state) {
    const HWND handle = ControlHandleOfKind(control, ControlKind::kButton);
    if (handle == nullptr) {
        return;
    }
    SendMessageA(handle, BM_SETCHECK, state != 0 ? BST_CHECKED : BST_UNCHECKED, 0);
    if (state != 0 && IsOptionButton(handle)) {
        ClearOtherOptionsOfGroup(handle);
    }
}

void SetTrackBarRange(int control, int minimum, int maximum) {
    if (const HWND handle = ControlHandleOfKind(control, ControlKind::kTrackBar)) {
        SendMessageA(handle, TBM_SETRANGE, TRUE, MAKELPARAM(minimum, maximum));
    }
}

void SetTrackBarPosition(int control, int position) {
    // The track bar itself holds a position set outside its range to the nearest end, and
    // TBM_SETPOS notifies nobody.
    if (const HWND handle = ControlHandleOfKind(control, ControlKind::kTrackBar)) {
        SendMessageA(handle, TBM_SETPOS, TRUE, position);
    }
}

int TrackBarPosition(int control) {
    const HWND handle = ControlHandleOfKind(control, ControlKind::kTrackBar);
    return handle == nullptr ? 0 : static_cast<int>(SendMessageA(handle, TBM_GETPOS, 0, 0));
}

Event Poll() {
    State& state = TheState();
    Event event;
    if (state.queue.Pop(event)) {
        return event;
    }
    MSG message{};
    const bool taken = PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD) != FALSE;
    if (taken && !NavigateWithTab(message)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    // A control or menu event that arose while the message was taken and handled is the result
    // of this poll; any further ones follow in the next polls.
    if (state.queue.Pop(event)) {
        return event;
    }
    if (!taken) {
        return {};
    }
    event.code = static_cast<int32_t>(message.message);
    return event;
}

} // namespace toolkit
