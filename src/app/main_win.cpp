#include "app/main_loop_win.h"
#include "app/popup_menu_win.h"
#include "dialogs/about_text.h"
#include "dialogs/about_window_win.h"
#include "label/identity_facts_win.h"
#include "label/label_window_win.h"
#include "settings/os_version_win.h"
#include "settings/settings_store_win.h"
#include "toolkit/toolkit.h"

#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

namespace {

constexpr int kProgramIcon = 1;

void StartPlatformServices(HINSTANCE instance) {
    toolkit::Initialize(instance, "LumatagWindow", kProgramIcon);
    INITCOMMONCONTROLSEX controls{};
    controls.dwSize = sizeof(controls);
    controls.dwICC = ICC_WIN95_CLASSES;
    InitCommonControlsEx(&controls);
    InitCommonControls();
    CoInitialize(nullptr);
}

// COM stays initialised: the process ends right after, and a shell call may still hold it.
void StopPlatformServices() {
    ReleaseNetworking();
    toolkit::Shutdown();
    ReleaseLabelResources();
    ReleasePopupMenu();
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    StartPlatformServices(instance);
    current::WorkAreaBottom = ReadWorkAreaBottom();
    GatherIdentityFacts();
    current::AboutText = ComposeAboutText();
    DecodeAboutImage();
    current::OsVersionCode = QueryOsVersionCode();
    DetermineSettingsPath();
    BuildPopupMenu();
    LoadSettings();
    BuildLabel();
    RunMainLoop();
    StopPlatformServices();
    ExitProcess(0);
}
