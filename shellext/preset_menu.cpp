#include "shellext/preset_menu.h"

#include "config/default_presets_table.h"
#include "config/stored_presets.h"
#include "win32/win32_registry_profile.h"

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

std::vector<std::wstring> ReadStoredPresetNames(size_t max_names) {
    std::vector<std::wstring> names;
    Win32RegistryProfile profile(HKEY_CURRENT_USER, kApplicationKey,
                                 Win32RegistryProfile::Access::ReadOnly);
    for (const PresetEntry& preset : ReadStoredPresets(profile)) {
        if (names.size() == max_names) {
            break;
        }
        // A name too long for a menu is shortened, never skipped: skipping would shift
        // every later entry onto another preset's number.
        names.push_back(PresetMenuText(preset.Name));
    }
    return names;
}

UINT AddPresetItems(HMENU submenu, UINT first_id, UINT max_items) {
    UINT added = 0;
    for (const std::wstring& name : ReadStoredPresetNames(max_items)) {
        InsertMenuW(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, first_id + added,
                    name.c_str());
        ++added;
    }
    return added;
}

UINT AddDefaultPresetItems(HMENU submenu, UINT first_id, UINT max_items) {
    UINT added = 0;
    for (const DefaultPresetRow& row : kDefaultPresetRows) {
        if (added == max_items) {
            break;
        }
        InsertMenuW(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, first_id + added,
                    row.name);
        ++added;
    }
    return added;
}

}  // namespace vantrel::shell
