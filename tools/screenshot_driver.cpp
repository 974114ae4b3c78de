// Sets the scenes for the README's pictures: starts the real Lumatag.exe with a chosen identity
// and settings file, opens its menu and windows, and tells scripts/screenshots when and where
// to photograph the screen. One line out per scene, one line in before the next:
//
//   out: "shot NAME WIDTHxHEIGHT+X+Y"   the scene is on screen; photograph that rectangle
//   out: "skip NAME REASON"             the scene cannot be set (a window not there yet)
//   in:  any line                       the photograph is taken; go on
//
// The environment block sets COMPUTERNAME, USERDOMAIN and USERNAME, which Wine would replace
// with its own if the program were started from a Linux shell.

#include "driver.h"
#include "ui_numbers.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <iostream>
#include <string>

namespace {

// A window that does not appear within this is taken to be missing from this build.
constexpr e2e::Milliseconds kWindowTimeout{5000};

struct Rectangle {
    int x, y, width, height;
};

// The rectangle clipped to the screen, in ImageMagick's geometry form.
std::string Geometry(Rectangle r) {
    const int right = std::min(r.x + r.width, e2e::ScreenWidth());
    const int bottom = std::min(r.y + r.height, e2e::ScreenHeight());
    r.x = std::max(r.x, 0);
    r.y = std::max(r.y, 0);
    return std::to_string(right - r.x) + "x" + std::to_string(bottom - r.y) + "+" +
           std::to_string(r.x) + "+" + std::to_string(r.y);
}

// Announces a scene and waits until the photograph is taken. False when the other side is gone.
bool Shoot(const std::string& name, Rectangle area) {
    std::cout << "shot " << name << " " << Geometry(area) << std::endl;
    std::string answer;
    return static_cast<bool>(std::getline(std::cin, answer));
}

bool Skip(const std::string& name, const std::string& reason) {
    std::cout << "skip " << name << " " << reason << std::endl;
    std::string answer;
    return static_cast<bool>(std::getline(std::cin, answer));
}

Rectangle Around(HWND window, int margin) {
    const e2e::Bounds b = e2e::WindowBounds(window);
    return {b.x - margin, b.y - margin, b.width + 2 * margin, b.height + 2 * margin};
}

// The corner of the screen the label sits in, wide enough to show some desktop around it.
Rectangle BottomRightCorner(int width, int height) {
    const RECT area = e2e::DriverWorkArea();
    return {e2e::ScreenWidth() - width, area.bottom - height, width, height};
}
Rectangle TopRightCorner(int width, int height) {
    return {e2e::ScreenWidth() - width, 0, width, height};
}

e2e::EnvironmentBlock Identity(const std::string& localAppData) {
    e2e::EnvironmentBlock environment = e2e::EnvironmentBlock::OfThisProcess();
    environment.Set("COMPUTERNAME", "DESK-07");
    environment.Set("USERDOMAIN", "LAB");
    environment.Set("USERNAME", "alice");
    environment.Set("LOCALAPPDATA", localAppData);
    return environment;
}

// A run of the program with its own settings file, ended with a close request to the label.
class Scene {
public:
    explicit Scene(const std::string& settings) {
        const std::string folder = localAppData_.path() + "\\Lumatag";
        CreateDirectoryA(folder.c_str(), nullptr);
        std::ofstream(folder + "\\config.ini", std::ios::binary) << settings;
        program_.emplace(e2e::ProgramPath(), Identity(localAppData_.path()));
        label_ = e2e::WaitForWindowWithControl(program_->processId(), ui::kLabelTitle,
                                               ui::control::kLabelText, e2e::kStartTimeout);
        if (label_ != nullptr && !e2e::AnswersMessages(label_, e2e::kStartTimeout)) {
            label_ = nullptr;
        }
    }
    ~Scene() {
        if (label_ != nullptr) {
            PostMessageA(label_, WM_CLOSE, 0, 0);
            program_->WaitForExit(e2e::kExitTimeout);
        }
    }
    Scene(const Scene&) = delete;
    Scene& operator=(const Scene&) = delete;

    HWND label() const { return label_; }
    DWORD processId() const { return program_->processId(); }

private:
    e2e::TemporaryFolder localAppData_; // outlives the program
    std::optional<e2e::ProgramProcess> program_;
    HWND label_ = nullptr;
};

struct WindowSearch {
    DWORD processId;
    int control;
    HWND found;
};

BOOL CALLBACK FindWindowHolding(HWND window, LPARAM parameter) {
    auto& search = *reinterpret_cast<WindowSearch*>(parameter);
    DWORD owner = 0;
    GetWindowThreadProcessId(window, &owner);
    if (owner == search.processId && IsWindowVisible(window) &&
        GetDlgItem(window, search.control) != nullptr) {
        search.found = window;
        return FALSE;
    }
    return TRUE;
}

// The program's visible top-level window that holds this control, once there is one.
HWND WaitForWindowHolding(DWORD processId, int control, e2e::Milliseconds timeout) {
    WindowSearch search{processId, control, nullptr};
    e2e::WaitUntil(
        [&] {
            EnumWindows(FindWindowHolding, reinterpret_cast<LPARAM>(&search));
            return search.found != nullptr;
        },
        timeout);
    return search.found;
}

// Right-clicks the label with the pointer at cursor; the menu, or null.
HWND OpenMenu(const Scene& scene, POINT cursor) {
    return e2e::OpenPopupMenu(scene.label(), scene.processId(), cursor, kWindowTimeout);
}

// Opens a window through the menu and photographs it, or reports that this build lacks it.
bool ShootWindow(const Scene& scene, const std::string& name, int item, int control) {
    const POINT cursor{e2e::ScreenWidth() / 2, e2e::ScreenHeight() / 2};
    const HWND menu = OpenMenu(scene, cursor);
    if (menu == nullptr) {
        return Skip(name, "the popup menu did not open");
    }
    e2e::ChooseMenuItem(menu, item);
    const HWND window = WaitForWindowHolding(scene.processId(), control, kWindowTimeout);
    if (window == nullptr || !e2e::AnswersMessages(window, kWindowTimeout)) {
        return Skip(name, "the window did not open");
    }
    const bool going = Shoot(name, Around(window, 12));
    // Closed with its own button, so the next window is photographed alone.
    PostMessageA(GetDlgItem(window, control), BM_CLICK, 0, 0);
    e2e::WaitUntil([&] { return !IsWindow(window) || !IsWindowVisible(window); }, kWindowTimeout);
    return going;
}

const char* const kIdentitySettings = "AddToDisplay = Desk 2\r\n"
                                      "ShowDomainName = 1\r\n"
                                      "ShowUserID = 1\r\n"
                                      "ShowIP = 1\r\n";

} // namespace

int main() {
    bool going = true;
    {
        Scene scene(kIdentitySettings);
        if (scene.label() == nullptr) {
            std::cerr << "screenshot_driver: the label did not appear\n";
            return 1;
        }
        going = Shoot("label-corner", BottomRightCorner(480, 110));

        // The menu where a right-click on the label puts it.
        const e2e::Bounds label = e2e::WindowBounds(scene.label());
        const HWND menu =
            going ? OpenMenu(scene, {label.x + label.width / 2, label.y + 2}) : nullptr;
        if (menu != nullptr) {
            going = Shoot("popup-menu", BottomRightCorner(480, 160));
            e2e::PressKey(menu, VK_ESCAPE);
            e2e::WaitUntil([&] { return !IsWindowVisible(menu); }, kWindowTimeout);
        } else if (going) {
            going = Skip("popup-menu", "the popup menu did not open");
        }

        going = going && ShootWindow(scene, "config-window", ui::menu_item::kConfig,
                                     ui::control::kConfigClose);
        going = going &&
                ShootWindow(scene, "about-window", ui::menu_item::kAbout, ui::control::kAboutClose);
    }
    if (going) {
        // Translucent, light on dark, larger, top right: shows through only with a compositor.
        Scene scene("TransAmount = 60\r\nLabelPos = 2\r\nFontSize = 14\r\n"
                    "FontColor = 16777215\r\nBackColor = 65536\r\n" +
                    std::string(kIdentitySettings));
        if (scene.label() == nullptr) {
            Skip("label-translucent", "the label did not appear");
        } else {
            Shoot("label-translucent", TopRightCorner(560, 90));
        }
    }
    return 0;
}
