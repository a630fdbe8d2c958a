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

std::vector<std::wstring> ReadStoredPresetNames(size_t maxNames) {
    std::vector<std::wstring> names;
    Win32RegistryProfile profile(HKEY_CURRENT_USER, kApplicationKey,
                                 Win32RegistryProfile::Access::ReadOnly);
    for (const PresetEntry& preset : ReadStoredPresets(profile)) {
        if (names.size() == maxNames) {
            break;
        }
        // A name too long for a menu is shortened, never skipped: skipping would shift
        // every later entry onto another preset's number.
        names.push_back(PresetMenuText(preset.Name));
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
