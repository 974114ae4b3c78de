#include "settings/file_system_win.h"
#include "settings/os_version.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_path.h"
#include "settings/settings_store_win.h"
#include "toolkit/unique_handle.h"
#include "win32_test_support.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A fresh folder under the Windows temporary folder, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        char base[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, base);
        path_ = std::string(base) + "lumatag-test-" + std::to_string(GetCurrentProcessId()) + "-" +
                std::to_string(counter_++);
        CreateDirectoryA(path_.c_str(), nullptr);
    }
    ~TemporaryFolder() { RemoveTree(L"\\\\?\\" + Widen(path_)); }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& path() const { return path_; }

private:
    static std::wstring Widen(const std::string& text) {
        return std::wstring(text.begin(), text.end());
    }
    // Wide functions with the extended prefix, so that trees deeper than 260 characters go too.
    static void RemoveTree(const std::wstring& folder) {
        WIN32_FIND_DATAW found{};
        const HANDLE search = FindFirstFileW((folder + L"\\*").c_str(), &found);
        if (search != INVALID_HANDLE_VALUE) {
            do {
                const std::wstring name = found.cFileName;
                if (name == L"." || name == L"..") {
                    continue;
                }
                const std::wstring child = folder + L"\\" + name;
                if (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
                    RemoveTree(child);
                } else {
                    SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
                    DeleteFileW(child.c_str());
                }
            } while (FindNextFileW(search, &found));
            FindClose(search);
        }
        RemoveDirectoryW(folder.c_str());
    }
    static inline int counter_ = 0;
    std::string path_;
};

std::vector<std::string> FilesIn(const std::string& folder) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found{};
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) {
        return names;
    }
    do {
        const std::string name = found.cFileName;
        if (name != "." && name != "..") {
            names.push_back(name);
        }
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}

std::string ReadBack(const std::string& path) {
    std::string contents;
    EXPECT_TRUE(ReadWholeFile(path, contents)) << path;
    return contents;
}

bool IsDirectory(const std::string& path) {
    const DWORD attributes = file_system::Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

class SettingsStoreTest : public testing::Test {
protected:
    void SetUp() override { current::OsVersionCode = 100; }
    void TearDown() override {
        current::Settings = {};
        current::SettingsPath.clear();
    }

    // Points SettingsPath into the temporary folder the way start-up does.
    void UseLocalAppData(const std::string& folder) {
        ScopedEnvironmentVariable localAppData("LOCALAPPDATA", folder.c_str());
        DetermineSettingsPath();
    }

    TemporaryFolder root_;
};

TEST_F(SettingsStoreTest, StartUpPutsTheFileInItsOwnFolderAndCreatesTheFolder) {
    UseLocalAppData(root_.path());
    EXPECT_EQ(current::SettingsPath, root_.path() + "\\Lumatag\\config.ini");
    EXPECT_TRUE(IsDirectory(root_.path() + "\\Lumatag"));
    EXPECT_TRUE(FilesIn(root_.path() + "\\Lumatag").empty()) << "the file is made by a save only";
}

TEST_F(SettingsStoreTest, OnTheWin9xFamilyTheFileLiesInTheWindowsFolder) {
    current::OsVersionCode = 30;
    ScopedEnvironmentVariable windir("windir", root_.path().c_str());
    UseLocalAppData(root_.path() + "\\elsewhere");
    EXPECT_EQ(current::SettingsPath, root_.path() + "\\Lumatag.ini");
    EXPECT_FALSE(IsDirectory(root_.path() + "\\elsewhere"));
}

TEST_F(SettingsStoreTest, AFileWhereTheFolderShouldBeIsLeftAloneAndSavesFailQuietly) {
    const std::string blocker = root_.path() + "\\Lumatag";
    ASSERT_TRUE(ReplaceFileContents(blocker, "not a folder"));
    UseLocalAppData(root_.path());
    EXPECT_EQ(ReadBack(blocker), "not a folder");
    current::Settings = DefaultSettings();
    SaveSettings();
    EXPECT_EQ(ReadBack(blocker), "not a folder");
    EXPECT_EQ(FilesIn(root_.path()), std::vector<std::string>{"Lumatag"});
}

TEST_F(SettingsStoreTest, WithoutAFileLoadingGivesTheDefaultsAndCreatesNothing) {
    UseLocalAppData(root_.path());
    current::Settings.FontName = "stale";
    LoadSettings();
    const Settings defaults = DefaultSettings();
    EXPECT_EQ(current::Settings.FontName, defaults.FontName);
    EXPECT_EQ(current::Settings.LabelPos, defaults.LabelPos);
    EXPECT_EQ(current::Settings.FontColor, defaults.FontColor);
    EXPECT_TRUE(FilesIn(root_.path() + "\\Lumatag").empty());
}

TEST_F(SettingsStoreTest, ASaveWritesTheTwelveLinesAndLoadsBackTheSame) {
    UseLocalAppData(root_.path());
    current::Settings = DefaultSettings();
    SaveSettings();
    EXPECT_EQ(ReadBack(current::SettingsPath).size(), 199u);
    current::Settings.AddToDisplay = "Desk 4 = left ; KVM";
    current::Settings.TransAmount = 55;
    current::Settings.BackColor = kStoredBlack;
    SaveSettings();
    const std::string first = ReadBack(current::SettingsPath);
    EXPECT_EQ(first, FormatSettingsText(current::Settings));
    SaveSettings();
    EXPECT_EQ(ReadBack(current::SettingsPath), first);
    EXPECT_EQ(FilesIn(root_.path() + "\\Lumatag"), std::vector<std::string>{"config.ini"});

    current::Settings = {};
    LoadSettings();
    EXPECT_EQ(current::Settings.AddToDisplay, "Desk 4 = left ; KVM");
    EXPECT_EQ(current::Settings.TransAmount, 55);
    EXPECT_EQ(current::Settings.BackColor, kStoredBlack);
}

TEST_F(SettingsStoreTest, LoadingReadsAFileAnotherProgramHoldsOpenForWriting) {
    UseLocalAppData(root_.path());
    ASSERT_TRUE(ReplaceFileContents(current::SettingsPath, "LabelPos = 2\r\n"));
    const UniqueFile writer(CreateFileA(current::SettingsPath.c_str(), GENERIC_WRITE,
                                        FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
    ASSERT_TRUE(writer);
    LoadSettings();
    EXPECT_EQ(current::Settings.LabelPos, 2);
}

TEST_F(SettingsStoreTest, LoadingNeverChangesTheFile) {
    UseLocalAppData(root_.path());
    const std::string handEdited = "; my label\r\n  fontsize=12pt\n[Other]\nKey = x\n\x00\xff";
    ASSERT_TRUE(ReplaceFileContents(current::SettingsPath, handEdited));
    LoadSettings();
    EXPECT_EQ(current::Settings.FontSize, 12);
    EXPECT_EQ(ReadBack(current::SettingsPath), handEdited);
}

// A save that cannot finish must leave the saved settings exactly as they were, and no
// temporary file behind.
TEST_F(SettingsStoreTest, AFailedSaveKeepsTheOldFileIntact) {
    UseLocalAppData(root_.path());
    current::Settings = DefaultSettings();
    SaveSettings();
    const std::string saved = ReadBack(current::SettingsPath);
    current::Settings.AddToDisplay = "never written";
    {
        // Another program holds the file open without allowing it to be replaced.
        const UniqueFile holder(CreateFileA(current::SettingsPath.c_str(), GENERIC_READ,
                                            FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                                            FILE_ATTRIBUTE_NORMAL, nullptr));
        ASSERT_TRUE(holder);
        SaveSettings();
        EXPECT_EQ(ReadBack(current::SettingsPath), saved);
        EXPECT_EQ(FilesIn(root_.path() + "\\Lumatag"), std::vector<std::string>{"config.ini"});
    }
    // The file is read-only.
    ASSERT_TRUE(SetFileAttributesA(current::SettingsPath.c_str(), FILE_ATTRIBUTE_READONLY));
    SaveSettings();
    EXPECT_EQ(ReadBack(current::SettingsPath), saved);
    EXPECT_EQ(FilesIn(root_.path() + "\\Lumatag"), std::vector<std::string>{"config.ini"});
    SetFileAttributesA(current::SettingsPath.c_str(), FILE_ATTRIBUTE_NORMAL);
    // The folder is gone altogether.
    const std::string elsewhere = root_.path() + "\\gone\\config.ini";
    current::SettingsPath = elsewhere;
    SaveSettings();
    EXPECT_FALSE(IsDirectory(root_.path() + "\\gone"));
}

TEST_F(SettingsStoreTest, PathsLongerThanTheOldLimitWork) {
    std::string deep = root_.path();
    while (deep.size() < 300) {
        deep += "\\a-rather-long-folder-name";
        ASSERT_TRUE(file_system::CreateFolder(deep)) << deep;
    }
    UseLocalAppData(deep);
    ASSERT_GT(current::SettingsPath.size(), 300u);
    EXPECT_TRUE(IsDirectory(deep + "\\Lumatag"));
    current::Settings = DefaultSettings();
    current::Settings.LabelPos = 3;
    SaveSettings();
    current::Settings = {};
    LoadSettings();
    EXPECT_EQ(current::Settings.LabelPos, 3);
}

class AutoStartTest : public testing::Test {
protected:
    static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    void TearDown() override { SetAutoStart(false); }

    // Type, data and byte count of the "Lumatag" value; false when it does not exist.
    static bool ReadRunValue(DWORD& type, std::string& data, DWORD& size) {
        HKEY opened = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &opened) !=
            ERROR_SUCCESS) {
            return false;
        }
        const UniqueRegistryKey key(opened);
        size = 0;
        if (RegQueryValueExA(key.get(), "Lumatag", nullptr, &type, nullptr, &size) !=
            ERROR_SUCCESS) {
            return false;
        }
        data.assign(size, '\0');
        return RegQueryValueExA(key.get(), "Lumatag", nullptr, &type,
                                reinterpret_cast<BYTE*>(data.data()), &size) == ERROR_SUCCESS;
    }
};

TEST_F(AutoStartTest, RegisteringStoresTheQuotedProgramPathAndUnregisteringRemovesIt) {
    char module[MAX_PATH] = {};
    GetModuleFileNameA(nullptr, module, MAX_PATH);
    const std::string expected = std::string("\"") + module + "\"";

    SetAutoStart(true);
    SetAutoStart(true); // a second registration overwrites, it does not fail
    DWORD type = 0;
    DWORD size = 0;
    std::string data;
    ASSERT_TRUE(ReadRunValue(type, data, size));
    EXPECT_EQ(type, DWORD{REG_SZ});
    EXPECT_EQ(size, expected.size() + 1) << "the byte count includes the terminating zero";
    EXPECT_EQ(data, expected + '\0');

    SetAutoStart(false);
    EXPECT_FALSE(ReadRunValue(type, data, size));
    SetAutoStart(false); // removing what is not there changes nothing
    EXPECT_FALSE(ReadRunValue(type, data, size));
}

} // namespace
