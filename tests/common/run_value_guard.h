#pragma once

#include <windows.h>

#include <optional>
#include <string>

// The "Lumatag" value under the current user's Run key belongs to the Wine prefix that every
// test shares: a test that lets the program write it puts back what was there before.
class RunValueGuard {
public:
    RunValueGuard() : original_(Read()) {}
    ~RunValueGuard() {
        HKEY key = nullptr;
        if (RegCreateKeyA(HKEY_CURRENT_USER, kRunKey, &key) != ERROR_SUCCESS) {
            return;
        }
        if (original_) {
            RegSetValueExA(key, kValueName, 0, REG_SZ,
                           reinterpret_cast<const BYTE*>(original_->c_str()),
                           static_cast<DWORD>(original_->size() + 1));
        } else {
            RegDeleteValueA(key, kValueName);
        }
        RegCloseKey(key);
    }
    RunValueGuard(const RunValueGuard&) = delete;
    RunValueGuard& operator=(const RunValueGuard&) = delete;

    // The value's text, or nothing when it is missing or not a REG_SZ.
    static std::optional<std::string> Read() {
        HKEY key = nullptr;
        if (RegOpenKeyExA(HKEY_CURRENT_USER, kRunKey, 0, KEY_QUERY_VALUE, &key) != ERROR_SUCCESS) {
            return std::nullopt;
        }
        char data[1024] = {};
        DWORD size = sizeof data - 1;
        DWORD type = 0;
        const LONG result =
            RegQueryValueExA(key, kValueName, nullptr, &type, reinterpret_cast<BYTE*>(data), &size);
        RegCloseKey(key);
        if (result != ERROR_SUCCESS || type != REG_SZ) {
            return std::nullopt;
        }
        return std::string(data);
    }

private:
    static constexpr const char* kRunKey = "Software\\Microsoft\\Windows\\CurrentVersion\\Run";
    static constexpr const char* kValueName = "Lumatag";
    std::optional<std::string> original_;
};
