#include "program_test.h"

#include <fstream>

namespace e2e {

EnvironmentBlock TestIdentity() {
    EnvironmentBlock environment = EnvironmentBlock::OfThisProcess();
    environment.Set("COMPUTERNAME", "HOST7");
    environment.Set("USERDOMAIN", "LAB");
    environment.Set("USERNAME", "user1");
    return environment;
}

HWND ProgramTest::StartProgram(const EnvironmentBlock& environment) {
    const ProgramProcess& started = run_.Start(environment);
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

} // namespace e2e
