#include "settings/settings_store_win.h"

#include "settings/file_system_win.h"
#include "settings/os_version.h"
#include "settings/settings.h"
#include "settings/settings_file.h"
#include "settings/settings_path.h"
#include "toolkit/system_win.h"
#include "toolkit/unique_handle.h"

#include <windows.h>

#include <limits>

namespace {

constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
constexpr const char* kRunValueName = "Lumatag";

bool IsDirectory(const std::string& path) {
    const DWORD attributes = file_system::Attributes(path);
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
}

bool WriteAll(HANDLE file, const std::string& contents) {
    size_t written = 0;
    while (written < contents.size()) {
        const size_t remaining = contents.size() - written;
        const DWORD chunk = remaining > std::numeric_limits<DWORD>::max()
                                ? std::numeric_limits<DWORD>::max()
                                : static_cast<DWORD>(remaining);
        DWORD done = 0;
        if (!WriteFile(file, contents.data() + written, chunk, &done, nullptr) || done == 0) {
            return false;
        }
        written += done;
    }
    return true;
}

// The program's own path, whole: the buffer grows until the name fits.
std::string ModulePath() {
    std::string path(MAX_PATH, '\0');
    while (true) {
        const DWORD length =
            GetModuleFileNameA(nullptr, path.data(), static_cast<DWORD>(path.size()));
        if (length == 0) {
            return {};
        }
        if (length < path.size()) {
            path.resize(length);
            return path;
        }
        path.resize(path.size() * 2);
    }
}

} // namespace

void DetermineSettingsPath() {
    const SettingsLocation location =
        SettingsLocationFor(current::OsVersionCode, toolkit::EnvironmentValue("windir"),
                            toolkit::EnvironmentValue("LOCALAPPDATA"));
    if (!location.folder.empty() && !IsDirectory(location.folder)) {
        // Only this one folder is made, never its parents; a failure shows later as a save
        // that does not happen.
        file_system::CreateFolder(location.folder);
    }
    current::SettingsPath = location.file;
}

bool ReadWholeFile(const std::string& path, std::string& contents) {
    // Every sharing mode is allowed, so the file can be read while another program has it open
    // for writing, or while our own save is replacing it.
    const UniqueFile file = file_system::OpenFile(
        path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, OPEN_EXISTING);
    if (!file) {
        return false;
    }
    contents.clear();
    char buffer[64 * 1024];
    DWORD read = 0;
    while (ReadFile(file.get(), buffer, sizeof buffer, &read, nullptr) && read > 0) {
        contents.append(buffer, read);
    }
    return true;
}

bool ReplaceFileContents(const std::string& path, const std::string& contents) {
    // A file marked read-only is not ours to replace. Windows refuses to move a file over one,
    // but Wine does not, so the rule is kept here rather than left to the system.
    const DWORD attributes = file_system::Attributes(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return false;
    }
    // The new text goes to a file of its own beside the old one and takes the old one's name
    // only once it is completely on disk. The process id keeps two instances saving at the
    // same moment from writing into each other's temporary file.
    const std::string temporary = path + "." + std::to_string(GetCurrentProcessId()) + ".tmp";
    bool written = false;
    {
        const UniqueFile file = file_system::OpenFile(temporary, GENERIC_READ | GENERIC_WRITE,
                                                      FILE_SHARE_READ, CREATE_ALWAYS);
        if (!file) {
            return false;
        }
        written = WriteAll(file.get(), contents) && FlushFileBuffers(file.get());
    }
    if (written && file_system::MoveReplacing(temporary, path)) {
        return true;
    }
    file_system::Delete(temporary);
    return false;
}

void LoadSettings() {
    std::string contents;
    current::Settings = ReadWholeFile(current::SettingsPath, contents) ? ParseSettingsText(contents)
                                                                       : DefaultSettings();
}

void SaveSettings() {
    ReplaceFileContents(current::SettingsPath, FormatSettingsText(current::Settings));
}

void SetAutoStart(bool enable) {
    const std::string data = RunValueData(ModulePath());
    HKEY opened = nullptr;
    if (enable) {
        RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &opened);
    } else {
        RegOpenKeyA(HKEY_CURRENT_USER, kRunKey, &opened);
    }
    const UniqueRegistryKey key(opened);
    if (!key) {
        return;
    }
    if (enable) {
        // The byte count includes the terminating zero, as REG_SZ data must.
        RegSetValueExA(key.get(), kRunValueName, 0, REG_SZ,
                       reinterpret_cast<const BYTE*>(data.c_str()),
                       static_cast<DWORD>(data.size() + 1));
    } else {
        RegDeleteValueA(key.get(), kRunValueName);
    }
}
