#include "win32_test_support.h"

#include "toolkit/system_win.h"
#include "toolkit/toolkit.h"

#include <gtest/gtest.h>

void EnsureToolkit() {
    static bool initialized = false;
    if (!initialized) {
        toolkit::Initialize(GetModuleHandleA(nullptr), "LumatagTestWindow", 1);
        initialized = true;
    }
}

ScopedEnvironmentVariable::ScopedEnvironmentVariable(const char* name, const char* value)
    : name_(name) {
    hadValue_ = GetEnvironmentVariableA(name, nullptr, 0) > 0;
    oldValue_ = toolkit::EnvironmentValue(name);
    SetEnvironmentVariableA(name, value);
}

ScopedEnvironmentVariable::~ScopedEnvironmentVariable() {
    SetEnvironmentVariableA(name_.c_str(), hadValue_ ? oldValue_.c_str() : nullptr);
}

HWND OpenTestWindow(int number, const char* title, int clientWidth, int clientHeight) {
    toolkit::WindowSpec layout;
    layout.title = title;
    layout.clientWidth = clientWidth;
    layout.clientHeight = clientHeight;
    layout.style = WS_CAPTION;
    return toolkit::OpenWindow(number, layout);
}

void DrainEvents() {
    for (int i = 0; i < 10000; ++i) {
        if (toolkit::Poll().code == event_code::kNone) {
            return;
        }
    }
    ADD_FAILURE() << "the event poll never ran dry";
}
