#pragma once

#include <windows.h>

#include <utility>

// One move-only owner for every kind of Win32 handle. Each kind names its null value and how
// it is closed; the raw handle is only reachable through get(), so ownership stays visible.
template <typename Traits> class UniqueHandle {
public:
    using Handle = typename Traits::Handle;

    UniqueHandle() = default;
    explicit UniqueHandle(Handle handle) : handle_(handle) {}
    UniqueHandle(const UniqueHandle&) = delete;
    UniqueHandle& operator=(const UniqueHandle&) = delete;
    UniqueHandle(UniqueHandle&& other) noexcept : handle_(other.release()) {}
    UniqueHandle& operator=(UniqueHandle&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~UniqueHandle() { reset(); }

    Handle get() const { return handle_; }
    explicit operator bool() const { return handle_ != Traits::Null(); }

    void reset(Handle handle = Traits::Null()) {
        const Handle old = std::exchange(handle_, handle);
        if (old != Traits::Null()) {
            Traits::Close(old);
        }
    }
    Handle release() { return std::exchange(handle_, Traits::Null()); }

private:
    Handle handle_ = Traits::Null();
};

namespace handle_traits {
template <typename T> struct GdiObject {
    using Handle = T;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { DeleteObject(handle); }
};
struct MemoryDc {
    using Handle = HDC;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { DeleteDC(handle); }
};
struct Window {
    using Handle = HWND;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { DestroyWindow(handle); }
};
struct Menu {
    using Handle = HMENU;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { DestroyMenu(handle); }
};
struct RegistryKey {
    using Handle = HKEY;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { RegCloseKey(handle); }
};
struct File {
    using Handle = HANDLE;
    static Handle Null() { return INVALID_HANDLE_VALUE; }
    static void Close(Handle handle) { CloseHandle(handle); }
};
struct Library {
    using Handle = HMODULE;
    static Handle Null() { return nullptr; }
    static void Close(Handle handle) { FreeLibrary(handle); }
};
} // namespace handle_traits

using UniqueFont = UniqueHandle<handle_traits::GdiObject<HFONT>>;
using UniqueBrush = UniqueHandle<handle_traits::GdiObject<HBRUSH>>;
using UniqueBitmap = UniqueHandle<handle_traits::GdiObject<HBITMAP>>;
using UniqueMemoryDc = UniqueHandle<handle_traits::MemoryDc>;
using UniqueWindow = UniqueHandle<handle_traits::Window>;
using UniqueMenu = UniqueHandle<handle_traits::Menu>;
using UniqueRegistryKey = UniqueHandle<handle_traits::RegistryKey>;
using UniqueFile = UniqueHandle<handle_traits::File>;
using UniqueLibrary = UniqueHandle<handle_traits::Library>;

// Selects an object into a DC for one scope and puts back what it replaced.
class ScopedSelectObject {
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : dc_(dc), previous_(SelectObject(dc, object)) {}
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;
    ~ScopedSelectObject() {
        if (previous_ != nullptr && previous_ != HGDI_ERROR) {
            SelectObject(dc_, previous_);
        }
    }

private:
    HDC dc_;
    HGDIOBJ previous_;
};

// A DC that GetDC lent for one window, given back on scope exit.
class ScopedWindowDc {
public:
    explicit ScopedWindowDc(HWND window) : window_(window), dc_(GetDC(window)) {}
    ScopedWindowDc(const ScopedWindowDc&) = delete;
    ScopedWindowDc& operator=(const ScopedWindowDc&) = delete;
    ~ScopedWindowDc() {
        if (dc_ != nullptr) {
            ReleaseDC(window_, dc_);
        }
    }
    HDC get() const { return dc_; }

private:
    HWND window_;
    HDC dc_;
};
