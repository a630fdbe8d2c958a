#include "shellext/preset_menu.h"

#include "config/default_presets_table.h"
#include "shellext/registry_string.h"
#include "win32/handles.h"

#include <algorithm>
#include <cwchar>

namespace vantrel::shell {

std::wstring PresetsKeyPath() {
    return std::wstring(kApplicationKey) + L"\\Presets";
}

std::wstring PresetKeyPath(unsigned number) {
    std::wstring digits = std::to_wstring(number);
    if (digits.size() < 2) {
        digits.insert(0, 2 - digits.size(), L'0');
    }
    return PresetsKeyPath() + L"\\" + digits;
}

std::vector<std::wstring> ReadStoredPresetNames(size_t maxNames) {
    std::vector<std::wstring> names;
    RegistryKey presets;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, PresetsKeyPath().c_str(), 0, KEY_QUERY_VALUE,
                      presets.put()) != ERROR_SUCCESS) {
        return names;
    }
    DWORD count = 0;
    DWORD type = REG_NONE;
    DWORD size = sizeof(count);
    if (RegQueryValueExW(presets.get(), L"Count", nullptr, &type, reinterpret_cast<BYTE*>(&count),
                         &size) != ERROR_SUCCESS ||
        type != REG_DWORD || size != sizeof(count)) {
        return names;
    }
    presets.reset();
    count = std::min(count, kPresetCountLimit);
    for (DWORD number = 1; number <= count && names.size() < maxNames; ++number) {
        RegistryKey preset;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, PresetKeyPath(number).c_str(), 0, KEY_QUERY_VALUE,
                          preset.put()) != ERROR_SUCCESS) {
            continue;
        }
        std::wstring name;
        if (ReadRegistryString(preset.get(), L"Name", kPresetNameByteBudget, name)) {
            names.push_back(std::move(name));
        }
    }
    return names;
}

UINT AddPresetItems(HMENU submenu, UINT firstId, UINT maxItems) {
    UINT added = 0;
    for (const std::wstring& name : ReadStoredPresetNames(maxItems)) {
        InsertMenuW(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, firstId + added,
                    name.c_str());
        ++added;
    }
    return added;
}

UINT AddDefaultPresetItems(HMENU submenu, UINT firstId, UINT maxItems) {
    UINT added = 0;
    for (const DefaultPresetRow& row : kDefaultPresetRows) {
        if (added == maxItems) {
            break;
        }
        InsertMenuW(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, firstId + added,
                    row.name);
        ++added;
    }
    return added;
}

}  // namespace vantrel::shell
