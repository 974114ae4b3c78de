// The release installer, run as a user would run it: silent install into a fresh Wine prefix,
// the installed program started from where the installer put it, then silent uninstall as
// Windows runs it from the uninstall entry. scripts/test-installer prepares the prefix and
// names the installer in LUMATAG_SETUP_EXE.
//
// The suites below run in the order they are written, and each builds on the state the one
// before left: installed, then uninstalled keeping the settings, then installed again and
// uninstalled removing them.

#include "driver.h"
#include "toolkit/unique_handle.h"
#include "ui_numbers.h"

#include <windows.h>
#include <shlobj.h>
#include <shobjidl.h>
#include <tlhelp32.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <cstring>
#include <fstream>
#include <optional>
#include <string>
#include <vector>

namespace {

using e2e::Milliseconds;

// Installing unpacks and writes a few hundred kilobytes; uninstalling adds the uninstaller's
// copy of itself. Generous, because Wine loads a fresh process for each step.
constexpr Milliseconds kInstallTimeout{60000};

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kUninstallKey =
    "Software\\Microsoft\\Windows\\CurrentVersion\\Uninstall\\Lumatag";

struct ProcessHandleTraits {
    using Handle = HANDLE;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
using UniqueProcess = UniqueHandle<ProcessHandleTraits>;

std::string EnvironmentVariable(const char* name) {
    char value[MAX_PATH * 4] = {};
    const DWORD length = GetEnvironmentVariableA(name, value, sizeof value);
    return length < sizeof value ? std::string(value, length) : std::string();
}

std::string LocalAppData() {
    return EnvironmentVariable("LOCALAPPDATA");
}
std::string InstallFolder() {
    return LocalAppData() + "\\Programs\\Lumatag";
}
std::string InstalledProgram() {
    return InstallFolder() + "\\Lumatag.exe";
}
std::string Uninstaller() {
    return InstallFolder() + "\\uninstall.exe";
}
std::string SettingsFile() {
    return LocalAppData() + "\\Lumatag\\config.ini";
}
std::string StartMenuShortcut() {
    char programs[MAX_PATH] = {};
    SHGetFolderPathA(nullptr, CSIDL_PROGRAMS, nullptr, SHGFP_TYPE_CURRENT, programs);
    return std::string(programs) + "\\Lumatag.lnk";
}

bool Exists(const std::string& path) {
    return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A value under HKEY_CURRENT_USER, when it exists with this type: its bytes.
std::optional<std::string> ReadValue(const char* key, const char* name, DWORD wantedType) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return std::nullopt;
    }
    const UniqueRegistryKey owner(opened);
    char data[1024] = {};
    DWORD size = sizeof data;
    DWORD type = 0;
    if (RegQueryValueExA(opened, name, nullptr, &type, reinterpret_cast<BYTE*>(data), &size) !=
            ERROR_SUCCESS ||
        type != wantedType) {
        return std::nullopt;
    }
    return std::string(data, size);
}

std::optional<std::string> ReadString(const char* key, const char* name) {
    std::optional<std::string> data = ReadValue(key, name, REG_SZ);
    if (data && !data->empty() && data->back() == '\0') {
        data->pop_back();
    }
    return data;
}

std::optional<DWORD> ReadDword(const char* key, const char* name) {
    const std::optional<std::string> data = ReadValue(key, name, REG_DWORD);
    if (!data || data->size() != sizeof(DWORD)) {
        return std::nullopt;
    }
    DWORD value = 0;
    std::memcpy(&value, data->data(), sizeof value);
    return value;
}

bool KeyExists(const char* key, HKEY root = HKEY_CURRENT_USER) {
    HKEY opened = nullptr;
    if (RegOpenKeyExA(root, key, 0, KEY_READ, &opened) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(opened);
    return true;
}

// Registers a program to start with Windows the way Lumatag does it: REG_SZ, the quoted path.
void SetRunValue(const std::string& program) {
    const std::string data = "\"" + program + "\"";
    HKEY key = nullptr;
    ASSERT_EQ(RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &key), ERROR_SUCCESS);
    const UniqueRegistryKey owner(key);
    ASSERT_EQ(RegSetValueExA(key, "Lumatag", 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                             static_cast<DWORD>(data.size() + 1)),
              ERROR_SUCCESS);
}

void WriteSettingsFile() {
    CreateDirectoryA((LocalAppData() + "\\Lumatag").c_str(), nullptr);
    std::ofstream file(SettingsFile(), std::ios::binary);
    file << "AddToDisplay = kept across uninstall\r\n";
    ASSERT_TRUE(file.good()) << SettingsFile();
}

// Where a process's executable lies, from a module snapshot: its first module is the program.
std::string ImagePath(DWORD process) {
    const UniqueProcess snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPMODULE, process));
    MODULEENTRY32 module{};
    module.dwSize = sizeof module;
    if (!snapshot || snapshot.get() == INVALID_HANDLE_VALUE ||
        !Module32First(snapshot.get(), &module)) {
        return {};
    }
    return module.szExePath;
}

// The processes that parent started from the temporary folder. The uninstaller copies itself
// there, starts the copy and returns at once; the copy does the work. (Under Wine the first
// process that opens a window is also the parent of the desktop process, which never ends and
// runs from the system folder.)
std::vector<DWORD> HelpersInTemporaryFolder(DWORD parent) {
    char temporary[MAX_PATH + 1] = {};
    const DWORD length = GetTempPathA(sizeof temporary, temporary);
    std::vector<DWORD> helpers;
    const UniqueProcess snapshot(CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
    if (length == 0 || !snapshot || snapshot.get() == INVALID_HANDLE_VALUE) {
        return helpers;
    }
    PROCESSENTRY32 entry{};
    entry.dwSize = sizeof entry;
    for (BOOL more = Process32First(snapshot.get(), &entry); more;
         more = Process32Next(snapshot.get(), &entry)) {
        const std::string image = ImagePath(entry.th32ProcessID);
        if (entry.th32ParentProcessID == parent && entry.th32ProcessID != parent &&
            image.size() > length && _strnicmp(image.c_str(), temporary, length) == 0) {
            helpers.push_back(entry.th32ProcessID);
        }
    }
    return helpers;
}

DWORD RemainingMilliseconds(std::chrono::steady_clock::time_point deadline) {
    const auto left =
        std::chrono::duration_cast<Milliseconds>(deadline - std::chrono::steady_clock::now());
    return left.count() > 0 ? static_cast<DWORD>(left.count()) : 0;
}

struct Finished {
    DWORD exitCode = 0;
    size_t helpers = 0; // processes it started from the temporary folder, all ended too
};

// Runs a command line and waits, within one deadline, for it and for the helpers it started
// from the temporary folder. Nothing when it could not be started or did not end in time (then
// it is killed).
std::optional<Finished> RunToTheEnd(std::string commandLine) {
    STARTUPINFOA startup{};
    startup.cb = sizeof startup;
    PROCESS_INFORMATION started{};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                        &startup, &started)) {
        ADD_FAILURE() << "could not start " << commandLine << ", error " << GetLastError();
        return std::nullopt;
    }
    CloseHandle(started.hThread);
    const UniqueProcess process(started.hProcess);
    const auto deadline = std::chrono::steady_clock::now() + kInstallTimeout;
    if (WaitForSingleObject(process.get(), RemainingMilliseconds(deadline)) != WAIT_OBJECT_0) {
        TerminateProcess(process.get(), 1);
        ADD_FAILURE() << commandLine << " did not end within " << kInstallTimeout.count() << " ms";
        return std::nullopt;
    }
    Finished finished;
    GetExitCodeProcess(process.get(), &finished.exitCode);
    for (const DWORD helper : HelpersInTemporaryFolder(started.dwProcessId)) {
        const UniqueProcess helperProcess(OpenProcess(SYNCHRONIZE, FALSE, helper));
        if (helperProcess &&
            WaitForSingleObject(helperProcess.get(), RemainingMilliseconds(deadline)) !=
                WAIT_OBJECT_0) {
            ADD_FAILURE() << "the helper that " << commandLine << " started did not end";
            return std::nullopt;
        }
        ++finished.helpers;
    }
    return finished;
}

void InstallSilently() {
    const std::string setup = EnvironmentVariable("LUMATAG_SETUP_EXE");
    ASSERT_FALSE(setup.empty()) << "LUMATAG_SETUP_EXE names no installer";
    ASSERT_TRUE(Exists(setup)) << setup;
    const std::optional<Finished> finished = RunToTheEnd("\"" + setup + "\" /S");
    ASSERT_TRUE(finished.has_value());
    EXPECT_EQ(finished->exitCode, 0u);
}

// Uninstalls as Windows would from the entry's QuietUninstallString, and waits for the
// uninstaller's copy in the temporary folder to end: only then is the uninstall complete.
void UninstallSilently(const std::string& extraOptions = "") {
    const std::optional<std::string> command = ReadString(kUninstallKey, "QuietUninstallString");
    ASSERT_TRUE(command.has_value());
    const std::optional<Finished> finished = RunToTheEnd(*command + extraOptions);
    ASSERT_TRUE(finished.has_value());
    EXPECT_EQ(finished->exitCode, 0u);
    EXPECT_EQ(finished->helpers, 1u) << "the uninstaller's copy was not found to wait for";
    // Should the copy have slipped past, the files it removes still bound the wait.
    EXPECT_TRUE(e2e::WaitUntil([] { return !Exists(Uninstaller()) && !KeyExists(kUninstallKey); },
                               kInstallTimeout));
}

// The identity the installed program is started with; Wine would otherwise put in its own.
e2e::EnvironmentBlock Identity() {
    e2e::EnvironmentBlock environment = e2e::EnvironmentBlock::OfThisProcess();
    environment.Set("COMPUTERNAME", "INSTALLED7");
    environment.Set("USERDOMAIN", "LAB");
    environment.Set("USERNAME", "user1");
    return environment;
}

// The label of a started program once its main loop runs, or null.
HWND WaitForLabel(const e2e::ProgramProcess& program) {
    const HWND label = e2e::WaitForWindowWithControl(program.processId(), ui::kLabelTitle,
                                                     ui::control::kLabelText, e2e::kStartTimeout);
    return label != nullptr && e2e::AnswersMessages(label, e2e::kStartTimeout) ? label : nullptr;
}

// What a shortcut starts, read through the shell as Explorer would.
std::optional<std::string> ShortcutTarget(const std::string& shortcut) {
    CoInitialize(nullptr);
    std::optional<std::string> target;
    IShellLinkA* link = nullptr;
    if (SUCCEEDED(CoCreateInstance(CLSID_ShellLink, nullptr, CLSCTX_INPROC_SERVER, IID_IShellLinkA,
                                   reinterpret_cast<void**>(&link)))) {
        IPersistFile* file = nullptr;
        if (SUCCEEDED(link->QueryInterface(IID_IPersistFile, reinterpret_cast<void**>(&file)))) {
            std::wstring widePath(MAX_PATH, L'\0');
            widePath.resize(static_cast<size_t>(
                std::max(0, MultiByteToWideChar(CP_ACP, 0, shortcut.c_str(), -1, widePath.data(),
                                                static_cast<int>(widePath.size())) -
                                1)));
            char path[MAX_PATH] = {};
            if (SUCCEEDED(file->Load(widePath.c_str(), STGM_READ)) &&
                SUCCEEDED(link->GetPath(path, MAX_PATH, nullptr, 0))) {
                target = path;
            }
            file->Release();
        }
        link->Release();
    }
    CoUninitialize();
    return target;
}

// The product version in a file's version resource, as "major.minor.patch".
std::optional<std::string> ProductVersionOf(const std::string& file) {
    DWORD ignored = 0;
    const DWORD size = GetFileVersionInfoSizeA(file.c_str(), &ignored);
    std::vector<char> data(size);
    VS_FIXEDFILEINFO* info = nullptr;
    UINT length = 0;
    if (size == 0 || !GetFileVersionInfoA(file.c_str(), 0, size, data.data()) ||
        !VerQueryValueA(data.data(), "\\", reinterpret_cast<void**>(&info), &length) ||
        info == nullptr) {
        return std::nullopt;
    }
    return std::to_string(HIWORD(info->dwProductVersionMS)) + "." +
           std::to_string(LOWORD(info->dwProductVersionMS)) + "." +
           std::to_string(HIWORD(info->dwProductVersionLS));
}

// ---------------------------------------------------------------------------------------------

class SilentInstall : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // A fresh prefix has none of this; if it had, the checks below would prove nothing.
        ASSERT_FALSE(Exists(InstallFolder())) << "already installed before the test";
        ASSERT_FALSE(KeyExists(kUninstallKey));
        InstallSilently();
    }
};

TEST_F(SilentInstall, PutsTheFilesInTheUsersProgramsFolder) {
    for (const char* file : {"Lumatag.exe", "uninstall.exe", "LICENSE.txt", "README.md"}) {
        EXPECT_TRUE(Exists(InstallFolder() + "\\" + file)) << file;
    }
}

TEST_F(SilentInstall, AddsAStartMenuShortcutToTheInstalledProgram) {
    ASSERT_TRUE(Exists(StartMenuShortcut())) << StartMenuShortcut();
    const std::optional<std::string> target = ShortcutTarget(StartMenuShortcut());
    ASSERT_TRUE(target.has_value());
    EXPECT_EQ(lstrcmpiA(target->c_str(), InstalledProgram().c_str()), 0) << *target;
}

TEST_F(SilentInstall, RegistersAnUninstallEntryForTheCurrentUser) {
    struct Expected {
        const char* name;
        std::string value;
    };
    const std::string folder = InstallFolder();
    const Expected strings[] = {
        {"DisplayName", "Lumatag"},
        {"DisplayVersion", LUMATAG_VERSION},
        {"Publisher", "Lumatag team"},
        {"DisplayIcon", InstalledProgram() + ",0"},
        {"InstallLocation", folder},
        {"UninstallString", "\"" + Uninstaller() + "\""},
        {"QuietUninstallString", "\"" + Uninstaller() + "\" /S"},
    };
    for (const Expected& expected : strings) {
        EXPECT_EQ(ReadString(kUninstallKey, expected.name), expected.value) << expected.name;
    }
    for (const char* flag : {"NoModify", "NoRepair"}) {
        EXPECT_EQ(ReadDword(kUninstallKey, flag), DWORD{1}) << flag;
    }
    // Nothing of it lands in the machine-wide hive, which would need administrator rights.
    EXPECT_FALSE(KeyExists(kUninstallKey, HKEY_LOCAL_MACHINE));
}

TEST_F(SilentInstall, UninstallEntryShowsTheProgramsIconAndVersion) {
    // The list of installed programs draws the icon that DisplayIcon names.
    HICON icon = nullptr;
    EXPECT_EQ(ExtractIconExA(InstalledProgram().c_str(), 0, &icon, nullptr, 1), 1u);
    if (icon != nullptr) {
        DestroyIcon(icon);
    }
    // The entry and the program it lists agree on which release this is.
    EXPECT_EQ(ProductVersionOf(InstalledProgram()), std::string(LUMATAG_VERSION));
}

TEST_F(SilentInstall, TheInstalledProgramShowsItsLabel) {
    e2e::ProgramProcess program(InstalledProgram(), Identity());
    const HWND label = WaitForLabel(program);
    ASSERT_NE(label, nullptr);
    EXPECT_TRUE(IsWindowVisible(label));
    EXPECT_EQ(e2e::ControlText(label, ui::control::kLabelText), " INSTALLED7 ");
}

// ---------------------------------------------------------------------------------------------

// Uninstalled while the installed program runs and has registered itself to start with
// Windows, and while the user has a settings file.
class SilentUninstall : public testing::Test {
protected:
    static void SetUpTestSuite() {
        // Without an installed program the removals below would prove nothing.
        ASSERT_TRUE(Exists(InstalledProgram()) && KeyExists(kUninstallKey)) << "not installed";
        SetRunValue(InstalledProgram());
        WriteSettingsFile();
        if (testing::Test::HasFatalFailure()) {
            return;
        }
        running_.emplace(InstalledProgram(), Identity());
        ASSERT_NE(WaitForLabel(*running_), nullptr);
        UninstallSilently();
    }
    static void TearDownTestSuite() { running_.reset(); }

    static std::optional<e2e::ProgramProcess> running_;
};
std::optional<e2e::ProgramProcess> SilentUninstall::running_;

TEST_F(SilentUninstall, EndsTheRunningProgramFirst) {
    ASSERT_TRUE(running_.has_value());
    EXPECT_EQ(running_->WaitForExit(e2e::kExitTimeout), DWORD{0});
}

TEST_F(SilentUninstall, RemovesTheProgramItsFolderAndTheShortcut) {
    for (const std::string& path :
         {InstalledProgram(), Uninstaller(), InstallFolder(), StartMenuShortcut()}) {
        EXPECT_FALSE(Exists(path)) << path;
    }
}

TEST_F(SilentUninstall, RemovesTheUninstallEntry) {
    EXPECT_FALSE(KeyExists(kUninstallKey));
}

TEST_F(SilentUninstall, RemovesTheStartWithWindowsValueOfTheRemovedProgram) {
    EXPECT_EQ(ReadString(kRunKey, "Lumatag"), std::nullopt);
}

TEST_F(SilentUninstall, KeepsTheUsersSettingsFile) {
    EXPECT_TRUE(Exists(SettingsFile()));
}

// ---------------------------------------------------------------------------------------------

// Installed again; a copy of the program elsewhere (a portable one) is the one registered to
// start with Windows; uninstalled with the settings file asked to go too.
class SilentUninstallRemovingSettings : public testing::Test {
protected:
    static void SetUpTestSuite() {
        InstallSilently();
        ASSERT_TRUE(Exists(InstalledProgram()) && KeyExists(kUninstallKey)) << "not installed";
        portable_.emplace();
        ASSERT_TRUE(CopyFileA(InstalledProgram().c_str(), PortableProgram().c_str(), FALSE));
        SetRunValue(PortableProgram());
        WriteSettingsFile();
        if (testing::Test::HasFatalFailure()) {
            return;
        }
        UninstallSilently(" /REMOVESETTINGS");
    }
    static void TearDownTestSuite() { portable_.reset(); }

    static std::string PortableProgram() { return portable_->path() + "\\Lumatag.exe"; }

    static std::optional<e2e::TemporaryFolder> portable_;
};
std::optional<e2e::TemporaryFolder> SilentUninstallRemovingSettings::portable_;

TEST_F(SilentUninstallRemovingSettings, RemovesTheSettingsFileAndItsFolder) {
    EXPECT_FALSE(Exists(SettingsFile()));
    EXPECT_FALSE(Exists(LocalAppData() + "\\Lumatag"));
}

TEST_F(SilentUninstallRemovingSettings, KeepsTheStartWithWindowsValueOfAnotherCopy) {
    EXPECT_EQ(ReadString(kRunKey, "Lumatag"), "\"" + PortableProgram() + "\"");
}

} // namespace
