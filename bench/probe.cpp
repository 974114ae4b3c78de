// Where Lumatag's time goes, measured inside one process under Wine: the program's own
// start-up steps in their order, the pieces of one BuildLabel, and the pieces of one pass of
// the main loop. It links the program's own Win32 shell and calls the very functions the
// program calls, so it measures the shipped code, not a copy. scripts/bench prints its lines
// under the table; each is "figure=probe part=NAME ..." with times in microseconds.

#include "app/main_loop_win.h"
#include "app/popup_menu_win.h"
#include "dialogs/about_text.h"
#include "dialogs/about_window_win.h"
#include "label/identity_facts.h"
#include "label/identity_facts_win.h"
#include "label/label_font_win.h"
#include "label/label_text.h"
#include "label/label_window_win.h"
#include "settings/os_version_win.h"
#include "settings/settings.h"
#include "settings/settings_store_win.h"
#include "toolkit/toolkit.h"
#include "ui_numbers.h"

#include <windows.h>
#include <commctrl.h>
#include <mmsystem.h>
#include <objbase.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

double g_ticksPerMicrosecond = 0;

double NowMicroseconds() {
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return static_cast<double>(now.QuadPart) / g_ticksPerMicrosecond;
}

void PrintStep(const char* part, double microseconds) {
    std::printf("figure=probe part=%s us=%.0f\n", part, microseconds);
}

template <typename Step> void TimeOnce(const char* part, Step step) {
    const double start = NowMicroseconds();
    step();
    PrintStep(part, NowMicroseconds() - start);
}

// Takes whatever the window system queued for the program's windows (paints, X events), as the
// next poll of the main loop would, so each timed repetition starts from a quiet queue.
void DrainMessages() {
    MSG message{};
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
}

struct Spread {
    double median = 0;
    double minimum = 0;
    double maximum = 0;
};

Spread SpreadOf(std::vector<double> samples) {
    std::sort(samples.begin(), samples.end());
    return {samples[samples.size() / 2], samples.front(), samples.back()};
}

// Repeats step, draining the queue between repetitions outside the clock; prints the median.
template <typename Step> void TimeRepeated(const char* part, int repetitions, Step step) {
    std::vector<double> samples;
    samples.reserve(static_cast<size_t>(repetitions));
    for (int i = 0; i < repetitions; ++i) {
        DrainMessages();
        const double start = NowMicroseconds();
        step(i);
        samples.push_back(NowMicroseconds() - start);
    }
    const Spread spread = SpreadOf(std::move(samples));
    std::printf("figure=probe part=%s median_us=%.1f min_us=%.1f max_us=%.1f n=%d\n", part,
                spread.median, spread.minimum, spread.maximum, repetitions);
}

// The time from the process's creation, as the system recorded it, to now: the loader and the
// DLLs the executable imports, before any of its own code ran.
double MicrosecondsSinceProcessCreation() {
    FILETIME created{}, exited{}, kernel{}, user{}, now{};
    GetProcessTimes(GetCurrentProcess(), &created, &exited, &kernel, &user);
    GetSystemTimeAsFileTime(&now);
    const auto ticks = [](FILETIME time) {
        return (static_cast<unsigned long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
    };
    return static_cast<double>(ticks(now) - ticks(created)) / 10.0;
}

// The program's start-up, step by step in WinMain's order, with the identity and an empty
// settings folder that the driver gives the program too.
void ProbeStartUp(const std::string& localAppData) {
    SetEnvironmentVariableA("COMPUTERNAME", "HOST7");
    SetEnvironmentVariableA("USERDOMAIN", "LAB");
    SetEnvironmentVariableA("USERNAME", "user1");
    SetEnvironmentVariableA("LOCALAPPDATA", localAppData.c_str());
    TimeOnce("startup.toolkit",
             [] { toolkit::Initialize(GetModuleHandleA(nullptr), "LumatagProbeWindow", 1); });
    TimeOnce("startup.common_controls", [] {
        INITCOMMONCONTROLSEX controls{};
        controls.dwSize = sizeof(controls);
        controls.dwICC = ICC_WIN95_CLASSES;
        InitCommonControlsEx(&controls);
        InitCommonControls();
    });
    TimeOnce("startup.com", [] { CoInitialize(nullptr); });
    TimeOnce("startup.work_area", [] { current::WorkAreaBottom = ReadWorkAreaBottom(); });
    TimeOnce("startup.identity_facts", [] { GatherIdentityFacts(); });
    TimeOnce("startup.about_text", [] { current::AboutText = ComposeAboutText(); });
    TimeOnce("startup.about_image", [] { DecodeAboutImage(); });
    TimeOnce("startup.os_version", [] { current::OsVersionCode = QueryOsVersionCode(); });
    TimeOnce("startup.settings_path", [] { DetermineSettingsPath(); });
    TimeOnce("startup.popup_menu", [] { BuildPopupMenu(); });
    TimeOnce("startup.load_settings", [] { LoadSettings(); });
    TimeOnce("startup.first_build_label", [] { BuildLabel(); });
    TimeOnce("startup.first_messages", [] { DrainMessages(); });
}

// One BuildLabel in its two everyday forms, then each of its steps alone.
void ProbeRebuild(int repetitions) {
    Settings& settings = current::Settings;
    const std::string text = ComposeLabelText(settings, current::IdentityFacts);
    settings.TransAmount = 100;
    TimeRepeated("rebuild.opaque", repetitions, [](int) { BuildLabel(); });
    // The track bar's path: every step below 100 makes the label layered and sets its alpha.
    TimeRepeated("rebuild.translucent", repetitions, [&settings](int i) {
        settings.TransAmount = 55 + i % 2;
        BuildLabel();
    });
    TimeRepeated("rebuild.translucent_with_paint", repetitions, [&settings](int i) {
        settings.TransAmount = 55 + i % 2;
        BuildLabel();
        DrainMessages();
    });
    settings.TransAmount = 100;
    BuildLabel();

    const std::string& face = settings.FontName;
    const int32_t points = settings.FontSize;
    TimeRepeated("step.compose_text", repetitions, [&](int) {
        current::LabelText = ComposeLabelText(settings, current::IdentityFacts);
    });
    TimeRepeated("step.measure_width", repetitions,
                 [&](int) { MeasureTextWidth(face, points, text); });
    TimeRepeated("step.measure_height", repetitions,
                 [&](int) { MeasureTextHeight(text, face, points); });
    TimeRepeated("step.display_dpi", repetitions, [&](int) { toolkit::FontHeightForPoints(points); });
    TimeRepeated("step.create_font", repetitions,
                 [&](int) { DeleteObject(CreateLabelFont(face, points)); });
    TimeRepeated("step.move_and_resize", repetitions, [](int i) {
        const HWND label = toolkit::WindowHandle(ui::window::kLabel);
        RECT outer{};
        GetWindowRect(label, &outer);
        const int width = outer.right - outer.left;
        const int height = outer.bottom - outer.top;
        toolkit::MoveWindowClientArea(ui::window::kLabel, outer.left, outer.top + (i % 2 ? 1 : -1),
                                      width, height);
        toolkit::MoveControl(ui::control::kLabelText, 0, 0, width, height);
    });
    TimeRepeated("step.apply_transparency", repetitions,
                 [](int i) { ApplyTransparency(ui::window::kLabel, 55 + i % 2); });
    HFONT previous = nullptr;
    TimeRepeated("step.set_font", repetitions, [&](int) {
        const HFONT font = CreateLabelFont(face, points);
        toolkit::SetControlFont(ui::control::kLabelText, font);
        if (previous != nullptr) {
            DeleteObject(previous);
        }
        previous = font;
    });
    TimeRepeated("step.set_text", repetitions, [&](int i) {
        toolkit::SetControlText(ui::control::kLabelText, i % 2 ? text : text + " ");
    });
    settings.TransAmount = 100;
    BuildLabel();
    if (previous != nullptr) {
        DeleteObject(previous);
    }
}

// The pieces of one idle pass of the main loop.
void ProbeLoopPass(int repetitions) {
    TimeRepeated("pass.poll_empty", repetitions, [](int) {
        MSG message{};
        PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE | PM_NOYIELD);
    });
    TimeRepeated("pass.work_area", repetitions, [](int) { ReadWorkAreaBottom(); });
    TimeRepeated("pass.pause", repetitions, [](int) {
        timeBeginPeriod(1);
        Sleep(1);
        timeEndPeriod(1);
    });
    TimeRepeated("pass.sleep_1ms_alone", repetitions, [](int) { Sleep(1); });
}

} // namespace

int main(int argc, char** argv) {
    const double sinceCreation = MicrosecondsSinceProcessCreation();
    LARGE_INTEGER frequency;
    QueryPerformanceFrequency(&frequency);
    g_ticksPerMicrosecond = static_cast<double>(frequency.QuadPart) / 1e6;
    PrintStep("startup.process_to_main", sinceCreation);

    const int repetitions = argc > 1 ? std::max(1, std::atoi(argv[1])) : 300;
    char base[MAX_PATH + 1] = {};
    GetTempPathA(MAX_PATH + 1, base);
    const std::string localAppData =
        std::string(base) + "lumatag-probe-" + std::to_string(GetCurrentProcessId());
    CreateDirectoryA(localAppData.c_str(), nullptr);

    ProbeStartUp(localAppData);
    ProbeRebuild(repetitions);
    ProbeLoopPass(repetitions);

    toolkit::Shutdown();
    ReleaseLabelResources();
    ReleasePopupMenu();
    ReleaseNetworking();
    // DetermineSettingsPath made the settings folder inside it; nothing was saved there.
    RemoveDirectoryA((localAppData + "\\Lumatag").c_str());
    RemoveDirectoryA(localAppData.c_str());
    return 0;
}
