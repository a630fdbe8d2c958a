#include "ui/model/preset_editor.h"

#include <algorithm>

namespace vantrel {

namespace {

std::vector<PresetEntry*> EntriesOf(PresetList& list) {
    std::vector<PresetEntry*> entries;
    entries.reserve(static_cast<size_t>(list.Count()));
    for (int i = 0; i < list.Count(); ++i) {
        entries.push_back(&list[i]);
    }
    return entries;
}

}  // namespace

PresetEditValues EditValuesOf(const PresetEntry& entry) {
    return {entry.Name, entry.Filter, entry.Flags, entry.Keep, entry.OlderThanDays};
}

PresetEditor::PresetEditor(PresetList& list) : list_(list), shown_(EntriesOf(list)) {}

bool PresetEditor::Commit(const PresetEditValues& values) {
    if (current_ == nullptr) {
        return true;
    }
    const bool name_taken = !values.Name.empty();
    if (name_taken && values.Name != current_->Name) {
        current_->Name = values.Name;
        changed_ = true;
    }
    if (values.Filter != current_->Filter) {
        current_->Filter = values.Filter;
        changed_ = true;
    }
    if (values.Flags != current_->Flags) {
        current_->Flags = values.Flags;
        changed_ = true;
    }
    if (values.Keep != current_->Keep) {
        current_->Keep = values.Keep;
        changed_ = true;
    }
    if (values.OlderThanDays != current_->OlderThanDays) {
        current_->OlderThanDays = values.OlderThanDays;
        changed_ = true;
    }
    return name_taken;
}

void PresetEditor::SetCurrent(PresetEntry* entry) {
    current_ = IsShown(entry) ? entry : nullptr;
}

PresetEntry& PresetEditor::Add() {
    auto entry = std::make_unique<PresetEntry>();
    entry->Name = L"New preset";
    entry->Filter = L"*.*";
    entry->Flags = kNewPresetFlags;
    PresetEntry& added = *entry;
    added_.push_back(std::move(entry));
    shown_.push_back(&added);
    changed_ = true;
    return added;
}

void PresetEditor::Remove(PresetEntry* entry) {
    const auto shown = std::find(shown_.begin(), shown_.end(), entry);
    if (entry == nullptr || shown == shown_.end()) {
        return;
    }
    shown_.erase(shown);
    if (current_ == entry) {
        current_ = nullptr;
    }
    changed_ = true;
    const int index = list_.IndexOf(entry);
    if (index != kNoPreset) {
        list_.RemoveAt(index);
        return;
    }
    const auto added = std::find_if(added_.begin(), added_.end(),
                                    [entry](const auto& owned) { return owned.get() == entry; });
    if (added != added_.end()) {
        added_.erase(added);
    }
}

void PresetEditor::LoadDefaults() {
    current_ = nullptr;
    shown_.clear();
    added_.clear();
    ResetToDefaultPresets(list_);
    shown_ = EntriesOf(list_);
    changed_ = true;
}

bool PresetEditor::Finish(RegistryProfile& profile) {
    if (!changed_) {
        return false;
    }
    std::vector<PresetEntry> values;
    values.reserve(shown_.size());
    for (const PresetEntry* entry : shown_) {
        values.push_back(*entry);
    }
    current_ = nullptr;
    shown_.clear();
    added_.clear();
    list_.Assign(values);
    shown_ = EntriesOf(list_);
    SavePresets(profile, list_);
    return true;
}

bool PresetEditor::IsShown(const PresetEntry* entry) const {
    return entry != nullptr && std::find(shown_.begin(), shown_.end(), entry) != shown_.end();
}

}  // namespace vantrel
