#include "config/presets.h"

#include <utility>

#include "config/default_presets_table.h"
#include "config/registry_profile.h"
#include "config/stored_presets.h"

namespace vantrel {

PresetList::PresetList(const PresetList& other) {
    Assign(other.Values());
}

PresetList& PresetList::operator=(const PresetList& other) {
    if (this != &other) {
        Assign(other.Values());
    }
    return *this;
}

const PresetEntry* PresetList::At(int index) const {
    if (index < 0 || index >= Count()) {
        return nullptr;
    }
    return entries_[static_cast<size_t>(index)].get();
}

int PresetList::IndexOf(const PresetEntry* entry) const {
    for (size_t i = 0; i < entries_.size(); ++i) {
        if (entries_[i].get() == entry) {
            return static_cast<int>(i);
        }
    }
    return kNoPreset;
}

PresetEntry& PresetList::Append(PresetEntry entry) {
    entries_.push_back(std::make_unique<PresetEntry>(std::move(entry)));
    return *entries_.back();
}

void PresetList::RemoveAt(int index) {
    if (index >= 0 && index < Count()) {
        entries_.erase(entries_.begin() + index);
    }
}

void PresetList::Assign(const std::vector<PresetEntry>& entries) {
    std::vector<std::unique_ptr<PresetEntry>> fresh;
    fresh.reserve(entries.size());
    for (const PresetEntry& entry : entries) {
        fresh.push_back(std::make_unique<PresetEntry>(entry));
    }
    entries_ = std::move(fresh);
}

std::vector<PresetEntry> PresetList::Values() const {
    std::vector<PresetEntry> values;
    values.reserve(entries_.size());
    for (const auto& entry : entries_) {
        values.push_back(*entry);
    }
    return values;
}

PresetList DefaultPresets() {
    PresetList list;
    for (const DefaultPresetRow& row : kDefaultPresetRows) {
        list.Append(PresetEntry{row.name, row.filter, row.flags});
    }
    return list;
}

void ResetToDefaultPresets(PresetList& list) {
    list = DefaultPresets();
}

std::wstring PresetSection(int index) {
    std::wstring number = std::to_wstring(static_cast<long long>(index) + 1);
    if (number.size() < 2) {
        number.insert(0, 1, L'0');
    }
    return std::wstring(kPresetsSection) + L"\\" + number;
}

int32_t LoadPresets(RegistryProfile& profile, PresetList& list) {
    list.Assign(ReadStoredPresets(profile));
    if (list.Empty()) {
        ResetToDefaultPresets(list);
        SavePresets(profile, list);
    }
    return list.Count();
}

void SavePresets(RegistryProfile& profile, const PresetList& list) {
    for (int i = 0; i < list.Count(); ++i) {
        const std::wstring section = PresetSection(i);
        profile.WriteString(section, L"Name", list[i].Name);
        profile.WriteString(section, L"Filter", list[i].Filter);
        profile.WriteInt(section, L"Flags", static_cast<int32_t>(list[i].Flags));
        profile.WriteString(section, L"Keep", list[i].Keep);
        profile.WriteInt(section, L"OlderThanDays", static_cast<int32_t>(list[i].OlderThanDays));
    }
    profile.WriteInt(kPresetsSection, L"Count", list.Count());
}

}  // namespace vantrel
