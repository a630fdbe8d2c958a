#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "config/presets.h"

namespace vantrel {

class RegistryProfile;

// Presets numbered above this are never read: a damaged "Count" in the millions would
// otherwise cost a key lookup per number, in the program and in every Explorer menu.
inline constexpr int32_t kStoredPresetLimit = 1000;

// The one rule by which Vantrel.exe and the Explorer extension read the "Presets" key, so
// that the extension's menu entry n and the program's "-preset n" name the same preset.
// Presets 1 to "Count" (at most kStoredPresetLimit) are read in number order; a preset
// whose key is missing or whose "Name" is missing, empty or not a string is left out, and
// the presets after it move up one place. Empty when none is usable.
std::vector<PresetEntry> ReadStoredPresets(RegistryProfile& profile);

// Longest preset name the Explorer menu shows whole, in UTF-16 units.
inline constexpr size_t kPresetMenuTextLimit = 100;

// A preset's name as the Explorer menu shows it: a longer name is cut (never inside a
// surrogate pair) and ends in "...".
std::wstring PresetMenuText(const std::wstring& name);

}  // namespace vantrel
