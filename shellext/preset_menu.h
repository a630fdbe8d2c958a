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
// read by the rule Vantrel.exe uses; empty when no preset is usable. At most max_names.
std::vector<std::wstring> ReadStoredPresetNames(size_t max_names);

// Appends the stored preset names to submenu with ids first_id, first_id + 1, ... (at most
// max_items of them); returns how many were added.
UINT AddPresetItems(HMENU submenu, UINT first_id, UINT max_items);

// Appends the built-in preset names in table order (at most max_items); returns how many.
UINT AddDefaultPresetItems(HMENU submenu, UINT first_id, UINT max_items);

}  // namespace vantrel::shell
