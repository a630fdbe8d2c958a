#include "config/stored_presets.h"

#include <algorithm>
#include <utility>

#include "config/registry_profile.h"

namespace vantrel {

std::vector<PresetEntry> ReadStoredPresets(RegistryProfile& profile) {
    std::vector<PresetEntry> presets;
    const int32_t count =
        std::min(profile.ReadInt(kPresetsSection, L"Count", 0), kStoredPresetLimit);
    for (int32_t i = 0; i < count; ++i) {
        const std::wstring section = PresetSection(i);
        PresetEntry entry;
        entry.Name = profile.ReadString(section, L"Name");
        if (entry.Name.empty()) {
            continue;  // a gap or a nameless preset takes no number
        }
        entry.Filter = profile.ReadString(section, L"Filter");
        entry.Flags = static_cast<uint32_t>(profile.ReadInt(section, L"Flags", 0));
        entry.Keep = profile.ReadString(section, L"Keep");
        entry.OlderThanDays =
            static_cast<uint32_t>(StoredDays(profile.ReadInt(section, L"OlderThanDays", 0)));
        presets.push_back(std::move(entry));
    }
    return presets;
}

std::wstring PresetMenuText(const std::wstring& name) {
    if (name.size() <= kPresetMenuTextLimit) {
        return name;
    }
    size_t keep = kPresetMenuTextLimit - 3;
    const wchar_t last = name[keep - 1];
    if (last >= 0xD800 && last <= 0xDBFF) {
        --keep;  // a high surrogate without its partner would show as a broken character
    }
    return name.substr(0, keep) + L"...";
}

}  // namespace vantrel
