#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vantrel::shell {

// Registry layout of the stored presets below HKEY_CURRENT_USER.
std::wstring PresetsKeyPath();
// "...\Presets\01" for number 1: at least two digits, more when needed ("100").
std::wstring PresetKeyPath(unsigned number);

// The menu texts of the stored presets in the program's numbering (entry n is "-preset n"),
// read by the rule Vantrel.exe uses; empty when no preset is usable. At most maxNames.
std::vector<std::wstring> ReadStoredPresetNames(size_t maxNames);

// Appends the stored preset names to submenu with ids firstId, firstId + 1, ... (at most
// maxItems of them); returns how many were added.
UINT AddPresetItems(HMENU submenu, UINT firstId, UINT maxItems);

// Appends the built-in preset names in table order (at most maxItems); returns how many.
UINT AddDefaultPresetItems(HMENU submenu, UINT firstId, UINT maxItems);

}  // namespace vantrel::shell
