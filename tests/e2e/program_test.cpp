#include "program_test.h"

#include <fstream>

namespace e2e {

void SendToControl(HWND window, int control, UINT message, WPARAM wParam, LPARAM lParam) {
    DWORD_PTR answer = 0;
    SendMessageTimeoutA(GetDlgItem(window, control), message, wParam, lParam, SMTO_ABORTIFHUNG,
                        static_cast<UINT>(kMessageTimeout.count()), &answer);
}

HWND ProgramTest::StartProgram(const EnvironmentBlock& environment,
                               ProgramRun::LocalAppData localAppData) {
    const ProgramProcess& started = run_.Start(environment, localAppData);
    const HWND label = WaitForWindowWithControl(started.processId(), ui::kLabelTitle,
                                                ui::control::kLabelText, kStartTimeout);
    EXPECT_NE(label, nullptr) << "no single label window with control " << ui::control::kLabelText;
    if (label != nullptr && !AnswersMessages(label, kStartTimeout)) {
        ADD_FAILURE() << "the program never reached its main loop";
        return nullptr;
    }
    return label;
}

void ProgramTest::WriteSettingsFile(const std::string& contents) {
    CreateDirectoryA(SettingsFolder().c_str(), nullptr);
    std::ofstream file(SettingsFile(), std::ios::binary);
    file << contents;
    ASSERT_TRUE(file.good()) << SettingsFile();
}

HWND ProgramTest::OpenPopupMenu(HWND label, POINT cursor) {
    return e2e::OpenPopupMenu(label, process().processId(), cursor, kStartTimeout);
}

bool ProgramTest::ExitThroughMenu(HWND label) {
    const HWND menu = OpenPopupMenu(label);
    if (menu == nullptr) {
        return false;
    }
    ChooseMenuItem(menu, ui::menu_item::kExit);
    return process().WaitForExit(kExitTimeout) == DWORD{0};
}

} // namespace e2e
