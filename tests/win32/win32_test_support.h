#pragma once

#include <windows.h>

#include <string>

// Registers the toolkit's window class once for the whole test program.
void EnsureToolkit();

// Sets an environment variable for the rest of one test and restores it afterwards.
class ScopedEnvironmentVariable {
public:
    ScopedEnvironmentVariable(const char* name, const char* value);
    ~ScopedEnvironmentVariable();
    ScopedEnvironmentVariable(const ScopedEnvironmentVariable&) = delete;
    ScopedEnvironmentVariable& operator=(const ScopedEnvironmentVariable&) = delete;

private:
    std::string name_;
    std::string oldValue_;
    bool hadValue_ = false;
};

// Opens a plain captioned test window of the given client size under a number, centred, the
// way the program opens its dialogs; null when it cannot be created.
HWND OpenTestWindow(int number, const char* title, int clientWidth, int clientHeight);

// Takes events until the toolkit reports nothing pending (bounded, so a stuck queue fails).
void DrainEvents();
