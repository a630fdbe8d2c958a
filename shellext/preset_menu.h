#pragma once

#include <windows.h>

#include <string>
#include <vector>

namespace vantrel::shell {

// Registry layout of the stored presets below HKEY_CURRENT_USER.
std::wstring PresetsKeyPath();
// "...\Presets\01" for number 1: at least two digits, more when needed ("100").
std::wstring PresetKeyPath(unsigned number);

// Bytes allowed for a preset's name, terminator included (at most 510 characters).
inline constexpr DWORD kPresetNameByteBudget = 1023;

// A damaged "Count" could ask for millions of key lookups while the menu opens; presets
// numbered above this are never read.
inline constexpr DWORD kPresetCountLimit = 1000;

// The names of the stored presets in number order. A preset whose key is missing or whose
// "Name" is absent, too long or malformed is left out. Empty when there is no usable
// storage. At most maxNames names are returned.
std::vector<std::wstring> ReadStoredPresetNames(size_t maxNames);

// Appends the stored preset names to submenu with ids firstId, firstId + 1, ... (at most
// maxItems of them); returns how many were added.
UINT AddPresetItems(HMENU submenu, UINT firstId, UINT maxItems);

// Appends the built-in preset names in table order (at most maxItems); returns how many.
UINT AddDefaultPresetItems(HMENU submenu, UINT firstId, UINT maxItems);

}  // namespace vantrel::shell
