#pragma once

#include <string>

// Works out SettingsPath from the Windows version and the environment, and creates the
// settings folder when it is missing. Called once at start-up.
void DetermineSettingsPath();

// Fills the settings record from the file at SettingsPath; a missing or unreadable file gives
// the defaults. Never creates or changes the file.
void LoadSettings();

// Writes the settings record to SettingsPath. The old file is replaced in one step, so a save
// that fails anywhere leaves the saved settings exactly as they were.
void SaveSettings();

// Registers the program to start when the user logs on, or removes that registration.
void SetAutoStart(bool enable);

// The reading and writing behind LoadSettings and SaveSettings, for any path.
bool ReadWholeFile(const std::string& path, std::string& contents);
bool ReplaceFileContents(const std::string& path, const std::string& contents);
