#include "settings/file_system_win.h"

#include "settings/settings_path.h"

#include <optional>

namespace file_system {
namespace {

std::wstring Widen(const std::string& text) {
    const int length =
        MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), nullptr, 0);
    std::wstring wide(static_cast<size_t>(length), L'\0');
    MultiByteToWideChar(CP_ACP, 0, text.data(), static_cast<int>(text.size()), wide.data(), length);
    return wide;
}

std::optional<std::wstring> WideExtendedPath(const std::string& path) {
    if (const std::optional<std::string> extended = ExtendedLengthPath(path)) {
        return Widen(*extended);
    }
    return std::nullopt;
}

constexpr DWORD kMoveFlags = MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH;

} // namespace

UniqueFile OpenFile(const std::string& path, DWORD access, DWORD share, DWORD disposition) {
    if (const auto wide = WideExtendedPath(path)) {
        return UniqueFile(CreateFileW(wide->c_str(), access, share, nullptr, disposition,
                                      FILE_ATTRIBUTE_NORMAL, nullptr));
    }
    return UniqueFile(CreateFileA(path.c_str(), access, share, nullptr, disposition,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
}

DWORD Attributes(const std::string& path) {
    if (const auto wide = WideExtendedPath(path)) {
        return GetFileAttributesW(wide->c_str());
    }
    return GetFileAttributesA(path.c_str());
}

bool CreateFolder(const std::string& path) {
    if (const auto wide = WideExtendedPath(path)) {
        return CreateDirectoryW(wide->c_str(), nullptr) != FALSE;
    }
    return CreateDirectoryA(path.c_str(), nullptr) != FALSE;
}

bool Delete(const std::string& path) {
    if (const auto wide = WideExtendedPath(path)) {
        return DeleteFileW(wide->c_str()) != FALSE;
    }
    return DeleteFileA(path.c_str()) != FALSE;
}

bool MoveReplacing(const std::string& from, const std::string& to) {
    const auto wideFrom = WideExtendedPath(from);
    const auto wideTo = WideExtendedPath(to);
    if (wideFrom || wideTo) {
        return MoveFileExW(wideFrom ? wideFrom->c_str() : Widen(from).c_str(),
                           wideTo ? wideTo->c_str() : Widen(to).c_str(), kMoveFlags) != FALSE;
    }
    if (MoveFileExA(from.c_str(), to.c_str(), kMoveFlags)) {
        return true;
    }
    // Windows 95, 98 and ME have no MoveFileExA; there the old file has to go first.
    if (GetLastError() != ERROR_CALL_NOT_IMPLEMENTED) {
        return false;
    }
    DeleteFileA(to.c_str());
    return MoveFileA(from.c_str(), to.c_str()) != FALSE;
}

} // namespace file_system
