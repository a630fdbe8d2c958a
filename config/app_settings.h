#pragma once

#include <cstdint>
#include <string>

#include "config/cleaning_options.h"
#include "config/presets.h"

namespace vantrel {

class RegistryProfile;

inline constexpr const wchar_t* kSettingsSection = L"Settings";
// The application's title: the last level of the application key and the caption of the
// message boxes that have none of their own.
inline constexpr const wchar_t* kApplicationTitle = L"Vantrel";

// All persisted state. Fields in the order they are read and written, each stored under
// its own name in section "Settings"; the initial values are the defaults used when
// nothing is stored.
struct AppSettings {
    int32_t AlwaysOnTop = 0;
    int32_t AutoClose = 0;
    int32_t AutoRemoveDeleted = 0;
    int32_t ShowFileSizes = 1;
    CleaningOptions Options;  // Filter and the seven switches, stored under their names
    int32_t Preset = 0;       // combo index: 0 .. n-1 a preset, n "Custom"
    std::wstring LastFolder;

    // In memory only.
    PresetList Presets;
    int32_t CustomIndex = kNoPreset;  // the preset count as loaded; not changed later
};

// Reads the sixteen values (each with the field's current value as its default; a missing
// Keep is empty, a negative OlderThanDays is 0), then the presets. Never fails; returns true.
bool LoadSettings(RegistryProfile& profile, AppSettings& settings);
// Writes the sixteen values (integers as REG_DWORD, strings as REG_SZ), then the presets.
void SaveSettings(RegistryProfile& profile, const AppSettings& settings);

// Owns the settings for the life of the program and keeps the rule that nothing is written
// unless loading ran, so stored settings are never replaced by defaults.
class SettingsKeeper {
  public:
    AppSettings& Settings() { return settings_; }
    const AppSettings& Settings() const { return settings_; }
    bool Loaded() const { return loaded_; }

    void Load(RegistryProfile& profile) { loaded_ = LoadSettings(profile, settings_); }
    // At exit: SaveSettings when Load ran, else nothing.
    void SaveIfLoaded(RegistryProfile& profile) const {
        if (loaded_) {
            SaveSettings(profile, settings_);
        }
    }

  private:
    AppSettings settings_;
    bool loaded_ = false;
};

// Each folder that AddFolder adds, by any means, becomes the picker's next start folder.
inline void NoteFolderAdded(AppSettings& settings, const std::wstring& folder) {
    settings.LastFolder = folder;
}

// The main program's folder: "AppFolder" of the application key, or, when that is empty,
// the folder of executable_path (the running program's full path).
std::wstring GetApplicationFolder(RegistryProfile& profile, const std::wstring& executable_path);

}  // namespace vantrel
