#include "app/main_loop_win.h"
#include "dialogs/about_text.h"
#include "dialogs/about_window_win.h"
#include "toolkit/toolkit.h"
#include "toolkit/unique_handle.h"
#include "ui_numbers.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace {

const Event kLinkClicked{event_code::kControl, 0, 0, ui::control::kAboutLink, 0};

HWND AboutWindow() {
    return toolkit::WindowHandle(ui::window::kAbout);
}
HWND Control(int number) {
    return toolkit::ControlHandle(number);
}

// Every event the poll hands out until it runs dry (bounded, so a stuck queue fails).
std::vector<Event> PollAll() {
    std::vector<Event> events;
    for (int i = 0; i < 10000; ++i) {
        const Event event = toolkit::Poll();
        if (event.code == event_code::kNone) {
            return events;
        }
        events.push_back(event);
    }
    ADD_FAILURE() << "the event poll never ran dry";
    return events;
}

int Count(const std::vector<Event>& events, const Event& wanted) {
    return static_cast<int>(std::count(events.begin(), events.end(), wanted));
}

HFONT FontOf(HWND control) {
    return reinterpret_cast<HFONT>(SendMessageA(control, WM_GETFONT, 0, 0));
}

int TenPointHeight() {
    const UniqueMemoryDc display(CreateDCA("DISPLAY", nullptr, nullptr, nullptr));
    return -MulDiv(10, GetDeviceCaps(display.get(), LOGPIXELSY), 72);
}

void ExpectUnderlinedArial(HFONT font) {
    LOGFONTA described{};
    ASSERT_EQ(GetObjectA(font, sizeof described, &described), int{sizeof described});
    EXPECT_STREQ(described.lfFaceName, "Arial");
    EXPECT_EQ(described.lfHeight, TenPointHeight());
    EXPECT_EQ(described.lfWeight, FW_NORMAL);
    EXPECT_TRUE(described.lfUnderline);
    EXPECT_FALSE(described.lfItalic);
    EXPECT_FALSE(described.lfStrikeOut);
    EXPECT_EQ(described.lfCharSet, DEFAULT_CHARSET);
}

// Where a control sits in its window's client area, and how big it is.
RECT PlaceInParent(HWND control) {
    RECT rect{};
    GetWindowRect(control, &rect);
    MapWindowPoints(nullptr, GetParent(control), reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

LPARAM At(int x, int y) {
    return MAKELPARAM(static_cast<WORD>(x), static_cast<WORD>(y));
}

// One About window serves every test here that only looks at it or clicks its link: closing a
// top-level window costs about two seconds under Wine without a window manager.
class AboutWindowTest : public testing::Test {
protected:
    static void SetUpTestSuite() {
        EnsureToolkit();
        // Wine starts the pointer in the middle of the screen, over the centred window's link.
        SetCursorPos(0, 0);
        current::AboutText = ComposeAboutText();
        DecodeAboutImage();
        ShowAboutWindow();
    }
    static void TearDownTestSuite() {
        toolkit::Shutdown();
        DrainEvents();
    }
    void SetUp() override {
        ASSERT_NE(AboutWindow(), nullptr);
        DrainEvents();
    }
};

TEST_F(AboutWindowTest, IsATitledWindowCentredOnTheScreen) {
    const HWND window = AboutWindow();
    char title[64] = {};
    GetWindowTextA(window, title, sizeof title);
    EXPECT_STREQ(title, "About v1.2.1");
    EXPECT_TRUE(IsWindowVisible(window));
    EXPECT_EQ(GetWindow(window, GW_OWNER), nullptr);

    const auto style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    EXPECT_EQ(style & WS_CAPTION, DWORD{WS_CAPTION});
    EXPECT_EQ(style & (WS_SYSMENU | WS_THICKFRAME | WS_MINIMIZEBOX | WS_MAXIMIZEBOX | WS_POPUP),
              0u);
    // The system adds the raised window edge to every captioned window by itself.
    EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE)) & ~WS_EX_WINDOWEDGE, 0u);

    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right, 218);
    EXPECT_EQ(client.bottom, 233);
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT expected{0, 0, 218, 233};
    AdjustWindowRectEx(&expected, WS_CAPTION, FALSE, 0);
    const LONG width = expected.right - expected.left;
    const LONG height = expected.bottom - expected.top;
    EXPECT_EQ(outer.right - outer.left, width);
    EXPECT_EQ(outer.bottom - outer.top, height);
    EXPECT_EQ(outer.left, (GetSystemMetrics(SM_CXSCREEN) - width) / 2);
    EXPECT_EQ(outer.top, (GetSystemMetrics(SM_CYSCREEN) - height) / 2);
}

struct ExpectedControl {
    int number;
    const char* className;
    RECT place;
    DWORD type; // the BS_ or SS_ type
    DWORD typeMask;
    DWORD required; // further style bits that must be set
    DWORD excluded; // style bits that must not be
    DWORD exStyle;
};

TEST_F(AboutWindowTest, HoldsItsFourControlsInOrderWhereTheyBelong) {
    // The picture has resized itself to the decoded image plus two pixels of edge each side.
    const ExpectedControl expected[] = {
        {ui::control::kAboutClose,
         "Button",
         {80, 205, 140, 225},
         BS_PUSHBUTTON,
         BS_TYPEMASK,
         WS_TABSTOP,
         0,
         0},
        {ui::control::kAboutImage,
         "Static",
         {25, 5, 186, 84},
         SS_BITMAP,
         SS_TYPEMASK,
         SS_NOTIFY,
         0,
         WS_EX_CLIENTEDGE},
        {ui::control::kAboutText,
         "Static",
         {5, 90, 209, 175},
         SS_CENTER,
         SS_TYPEMASK,
         0,
         WS_TABSTOP,
         0},
        {ui::control::kAboutLink,
         "Static",
         {65, 176, 265, 191},
         SS_LEFT,
         SS_TYPEMASK,
         0,
         SS_NOTIFY | WS_TABSTOP,
         0},
    };
    HWND child = GetWindow(AboutWindow(), GW_CHILD);
    for (const ExpectedControl& c : expected) {
        SCOPED_TRACE(c.number);
        ASSERT_NE(child, nullptr);
        EXPECT_EQ(GetDlgCtrlID(child), c.number) << "created out of order";
        EXPECT_EQ(child, Control(c.number));
        char className[32] = {};
        GetClassNameA(child, className, sizeof className);
        EXPECT_EQ(lstrcmpiA(className, c.className), 0) << className;
        const RECT place = PlaceInParent(child);
        EXPECT_TRUE(EqualRect(&place, &c.place))
            << place.left << "," << place.top << " " << place.right - place.left << "x"
            << place.bottom - place.top;
        const auto style = static_cast<DWORD>(GetWindowLongA(child, GWL_STYLE));
        EXPECT_EQ(style & c.typeMask, c.type);
        EXPECT_EQ(style & c.required, c.required);
        EXPECT_EQ(style & c.excluded, 0u);
        EXPECT_EQ(static_cast<DWORD>(GetWindowLongA(child, GWL_EXSTYLE)), c.exStyle);
        child = GetWindow(child, GW_HWNDNEXT);
    }
    EXPECT_EQ(child, nullptr);
}

TEST_F(AboutWindowTest, ShowsTheDecodedPictureTextAndLink) {
    const HWND picture = Control(ui::control::kAboutImage);
    ASSERT_NE(toolkit::ImageHandle(ui::image::kAbout), nullptr);
    EXPECT_EQ(reinterpret_cast<HBITMAP>(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0)),
              toolkit::ImageHandle(ui::image::kAbout));
    RECT inside{};
    GetClientRect(picture, &inside);
    EXPECT_EQ(inside.right, 157);
    EXPECT_EQ(inside.bottom, 75);

    EXPECT_EQ(toolkit::ControlText(ui::control::kAboutText), ComposeAboutText());
    EXPECT_EQ(toolkit::ControlText(ui::control::kAboutLink), "Lumatag website");
    EXPECT_EQ(toolkit::ControlText(ui::control::kAboutClose), "Close");
}

TEST_F(AboutWindowTest, UsesTheDefaultGuiFontExceptForTheUnderlinedLink) {
    const auto guiFont = static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT));
    EXPECT_EQ(FontOf(Control(ui::control::kAboutClose)), guiFont);
    EXPECT_EQ(FontOf(Control(ui::control::kAboutText)), guiFont);
    const HFONT linkFont = FontOf(Control(ui::control::kAboutLink));
    EXPECT_EQ(linkFont, toolkit::FontHandle(ui::font::kAboutLink));
    ExpectUnderlinedArial(linkFont);
}

TEST_F(AboutWindowTest, TheLinkIsBlackUnderlinedTextOnTheWindowBackground) {
    const HWND link = Control(ui::control::kAboutLink);
    RedrawWindow(link, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
    const ScopedWindowDc dc(link);
    RECT client{};
    GetClientRect(link, &client);
    // The underline: a row of black from the left edge under the first letters.
    bool underlined = false;
    for (int y = 0; y < client.bottom && !underlined; ++y) {
        bool black = true;
        for (int x = 1; x < 60 && black; ++x) {
            black = GetPixel(dc.get(), x, y) == RGB(0, 0, 0);
        }
        underlined = black;
    }
    EXPECT_TRUE(underlined);
    // The text starts at the left edge; past its end lies the window's own background.
    bool inkAtTheLeft = false;
    for (int y = 0; y < client.bottom; ++y) {
        inkAtTheLeft = inkAtTheLeft || GetPixel(dc.get(), 1, y) != GetSysColor(COLOR_BTNFACE);
    }
    EXPECT_TRUE(inkAtTheLeft);
    // The window's client area ends 153 pixels into the link; the text ends well before.
    for (int y = 0; y < client.bottom; ++y) {
        EXPECT_EQ(GetPixel(dc.get(), 140, y), GetSysColor(COLOR_BTNFACE)) << y;
    }
}

TEST_F(AboutWindowTest, TheLinkTakesTheMouseWithTheHandCursor) {
    const HWND link = Control(ui::control::kAboutLink);
    POINT inside{5, 5};
    ClientToScreen(link, &inside);
    // A plain static without SS_NOTIFY would answer HTTRANSPARENT and never see a click.
    EXPECT_EQ(SendMessageA(link, WM_NCHITTEST, 0, MAKELPARAM(inside.x, inside.y)), HTCLIENT);
    SetCursor(LoadCursorA(nullptr, IDC_ARROW));
    SendMessageA(link, WM_SETCURSOR, reinterpret_cast<WPARAM>(link),
                 MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
    EXPECT_EQ(GetCursor(), LoadCursorA(nullptr, IDC_HAND));
}

struct LinkGesture {
    const char* name;
    bool press;
    bool loseCapture; // something else takes the mouse between press and release
    POINT release;
    int clicks;
};

TEST_F(AboutWindowTest, TheLinkReportsAClickOnlyWhenPressedAndReleasedOverIt) {
    const HWND link = Control(ui::control::kAboutLink);
    const LinkGesture gestures[] = {
        {"PressAndReleaseOverIt", true, false, {5, 5}, 1},
        {"ReleaseRightOfIt", true, false, {250, 5}, 0},
        {"ReleaseAboveAndLeftOfIt", true, false, {-3, -3}, 0},
        {"ReleaseWithoutPress", false, false, {5, 5}, 0},
        {"PressThenCaptureLost", true, true, {5, 5}, 0},
        {"PressAndReleaseAtTheFarCorner", true, false, {199, 14}, 1},
    };
    for (const LinkGesture& gesture : gestures) {
        SCOPED_TRACE(gesture.name);
        if (gesture.press) {
            SendMessageA(link, WM_LBUTTONDOWN, MK_LBUTTON, At(5, 5));
        }
        if (gesture.loseCapture) {
            ReleaseCapture();
        }
        SendMessageA(link, WM_LBUTTONUP, 0, At(gesture.release.x, gesture.release.y));
        EXPECT_EQ(Count(PollAll(), kLinkClicked), gesture.clicks);
        EXPECT_NE(GetCapture(), link) << "the mouse must be let go";
    }
}

TEST_F(AboutWindowTest, ARightClickOnTheLinkReachesTheLoopAsTheRightButtonEvent) {
    PostMessageA(Control(ui::control::kAboutLink), WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
    EXPECT_EQ(toolkit::Poll().code, event_code::kRightButton);
}

TEST_F(AboutWindowTest, ACloseRequestLeavesTheWindowOpen) {
    const HWND window = AboutWindow();
    PostMessageA(window, WM_CLOSE, 0, 0);
    bool quit = false;
    for (const Event& event : PollAll()) {
        DispatchEvent(event, quit);
    }
    EXPECT_FALSE(quit);
    EXPECT_EQ(AboutWindow(), window);
    EXPECT_TRUE(IsWindowVisible(window));
}

// Creates a registry key path one level at a time and removes, on scope exit, the levels it
// created itself, deepest first.
class ScopedRegistryPath {
public:
    ScopedRegistryPath(HKEY root, const std::vector<std::string>& levels) : root_(root) {
        HKEY parent = root;
        for (const std::string& level : levels) {
            HKEY key = nullptr;
            DWORD disposition = 0;
            if (RegCreateKeyExA(parent, level.c_str(), 0, nullptr, 0, KEY_ALL_ACCESS, nullptr, &key,
                                &disposition) != ERROR_SUCCESS) {
                return;
            }
            keys_.emplace_back(key);
            created_.push_back(disposition == REG_CREATED_NEW_KEY);
            names_.push_back(level);
            parent = key;
        }
    }
    ScopedRegistryPath(const ScopedRegistryPath&) = delete;
    ScopedRegistryPath& operator=(const ScopedRegistryPath&) = delete;
    ~ScopedRegistryPath() {
        for (size_t i = keys_.size(); i-- > 0;) {
            const HKEY parent = i == 0 ? root_ : keys_[i - 1].get();
            keys_[i].reset();
            if (created_[i]) {
                RegDeleteKeyA(parent, names_[i].c_str());
            }
        }
    }
    HKEY Deepest() const { return keys_.empty() ? nullptr : keys_.back().get(); }

private:
    HKEY root_ = nullptr;
    std::vector<UniqueRegistryKey> keys_;
    std::vector<bool> created_;
    std::vector<std::string> names_;
};

// Points the shell's handler for https addresses at a command for one scope, then puts back
// what was there. Wine 8 looks URL handlers up under HKEY_CLASSES_ROOT, which it keeps in the
// machine's classes alone: a handler under the current user's classes is not seen.
class ScopedHttpsHandler {
public:
    explicit ScopedHttpsHandler(const std::string& command)
        : path_(HKEY_CLASSES_ROOT, {"https", "shell", "open", "command"}) {
        const HKEY key = path_.Deepest();
        if (key == nullptr) {
            return;
        }
        char old[1024] = {};
        DWORD size = sizeof old;
        hadValue_ = RegQueryValueExA(key, nullptr, nullptr, &oldType_, reinterpret_cast<BYTE*>(old),
                                     &size) == ERROR_SUCCESS;
        oldValue_.assign(old, hadValue_ ? size : 0);
        set_ =
            RegSetValueExA(key, nullptr, 0, REG_SZ, reinterpret_cast<const BYTE*>(command.c_str()),
                           static_cast<DWORD>(command.size() + 1)) == ERROR_SUCCESS;
    }
    ScopedHttpsHandler(const ScopedHttpsHandler&) = delete;
    ScopedHttpsHandler& operator=(const ScopedHttpsHandler&) = delete;
    ~ScopedHttpsHandler() {
        const HKEY key = path_.Deepest();
        if (key == nullptr) {
            return;
        }
        if (hadValue_) {
            RegSetValueExA(key, nullptr, 0, oldType_,
                           reinterpret_cast<const BYTE*>(oldValue_.data()),
                           static_cast<DWORD>(oldValue_.size()));
        } else {
            RegDeleteValueA(key, nullptr);
        }
    }
    bool IsSet() const { return set_; }

private:
    ScopedRegistryPath path_;
    bool hadValue_ = false;
    bool set_ = false;
    DWORD oldType_ = REG_SZ;
    std::string oldValue_;
};

std::string ReadWholeFile(const std::string& path) {
    std::ifstream file(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
}

TEST_F(AboutWindowTest, TheLinkOpensTheWebPageAndTheWindowStaysOpen) {
    char folder[MAX_PATH] = {};
    ASSERT_GT(GetTempPathA(sizeof folder, folder), 0u);
    const std::string record =
        std::string(folder) + "lumatag_opened_" + std::to_string(GetCurrentProcessId()) + ".txt";
    DeleteFileA(record.c_str());
    // The test's stand-in for the default browser: whatever address the shell hands the
    // https handler is written to a file.
    const ScopedHttpsHandler handler("cmd.exe /c echo %1>\"" + record + "\"");
    ASSERT_TRUE(handler.IsSet());

    const HWND window = AboutWindow();
    HandleAboutControl(ui::control::kAboutLink);
    EXPECT_EQ(AboutWindow(), window);
    EXPECT_TRUE(IsWindowVisible(window));

    // The handler runs as a process of its own: wait for its file, at most 30 seconds.
    std::string opened;
    for (int i = 0; i < 300 && opened.find('\n') == std::string::npos; ++i) {
        Sleep(100);
        opened = ReadWholeFile(record);
    }
    DeleteFileA(record.c_str());
    EXPECT_EQ(opened, ProductWebPageAddress() + "\r\n");
}

// Tests that close or replace the window, each with a window of its own.
class AboutWindowLifecycleTest : public testing::Test {
protected:
    void SetUp() override {
        EnsureToolkit();
        current::AboutText = ComposeAboutText();
        DecodeAboutImage();
    }
    void TearDown() override {
        toolkit::Shutdown();
        DrainEvents();
    }
};

TEST_F(AboutWindowLifecycleTest, TheCloseButtonClosesTheWindow) {
    ShowAboutWindow();
    const HWND window = AboutWindow();
    ASSERT_NE(window, nullptr);
    PostMessageA(Control(ui::control::kAboutClose), BM_CLICK, 0, 0);
    bool quit = false;
    for (const Event& event : PollAll()) {
        DispatchEvent(event, quit);
    }
    EXPECT_FALSE(quit);
    EXPECT_EQ(AboutWindow(), nullptr);
    EXPECT_FALSE(IsWindow(window));
    EXPECT_EQ(Control(ui::control::kAboutLink), nullptr);
}

TEST_F(AboutWindowLifecycleTest, AboutAgainReplacesTheWindowAndRemakesTheLinkFont) {
    ShowAboutWindow();
    const HWND first = AboutWindow();
    const HFONT firstFont = toolkit::FontHandle(ui::font::kAboutLink);
    ASSERT_NE(first, nullptr);
    ASSERT_NE(firstFont, nullptr);

    ShowAboutWindow();
    const HWND second = AboutWindow();
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);
    EXPECT_FALSE(IsWindow(first));
    EXPECT_EQ(toolkit::ControlText(ui::control::kAboutText), ComposeAboutText());
    // The font is made anew before the one before is deleted, so the two cannot share a handle.
    const HFONT secondFont = FontOf(Control(ui::control::kAboutLink));
    EXPECT_EQ(secondFont, toolkit::FontHandle(ui::font::kAboutLink));
    EXPECT_NE(secondFont, firstFont);
    EXPECT_EQ(GetObjectType(firstFont), 0u);
    ExpectUnderlinedArial(secondFont);
}

TEST_F(AboutWindowLifecycleTest, OpeningDropsEveryEventThatWasPending) {
    // Another window of the program, with a right-button press, a menu choice and a close
    // request waiting for it.
    const HWND other = OpenTestWindow(ui::window::kConfig, "other", 100, 50);
    ASSERT_NE(other, nullptr);
    DrainEvents();
    PostMessageA(other, WM_RBUTTONDOWN, MK_RBUTTON, At(5, 5));
    PostMessageA(other, WM_COMMAND, MAKEWPARAM(ui::menu_item::kExit, 0), 0);
    PostMessageA(other, WM_CLOSE, 0, 0);

    ShowAboutWindow();
    for (const Event& event : PollAll()) {
        EXPECT_NE(event.code, event_code::kRightButton);
        EXPECT_NE(event.code, event_code::kMenu);
        EXPECT_NE(event.code, event_code::kClose);
    }
    EXPECT_TRUE(IsWindow(other));
}

TEST_F(AboutWindowLifecycleTest, WithoutItsPictureTheSunkenFrameKeepsItsSize) {
    toolkit::Shutdown(); // frees image 1, as a failed decoding would have left it absent
    ASSERT_EQ(toolkit::ImageHandle(ui::image::kAbout), nullptr);
    ASSERT_NE(OpenAboutWindow(), nullptr);
    const HWND picture = Control(ui::control::kAboutImage);
    const RECT place = PlaceInParent(picture);
    EXPECT_EQ(place.right - place.left, 157);
    EXPECT_EQ(place.bottom - place.top, 75);
    EXPECT_EQ(SendMessageA(picture, STM_GETIMAGE, IMAGE_BITMAP, 0), 0);
}

} // namespace
