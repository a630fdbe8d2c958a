#include "ui/model/preset_selection.h"

#include "engine/text_rules.h"

namespace vantrel {

std::vector<PresetComboItem> PresetComboItems(const PresetList& list) {
    std::vector<PresetComboItem> items;
    items.reserve(static_cast<size_t>(list.Count()) + 1);
    for (int i = 0; i < list.Count(); ++i) {
        items.push_back(PresetComboItem{list[i].Name, &list[i], i == list.Count() - 1});
    }
    items.push_back(PresetComboItem{kCustomPresetText, nullptr, false});
    return items;
}

std::wstring NormalizeFilterForMatching(const std::wstring& text) {
    std::wstring normalized;
    for (wchar_t ch : TrimWhiteSpace(text)) {
        if (ch != L' ' && ch != L'\t' && ch != L'\n') {
            normalized.push_back(FoldCase(ch));
        }
    }
    return normalized;
}

int32_t OlderThanDaysFromText(const std::wstring& text) {
    const std::wstring trimmed = TrimWhiteSpace(text);
    int64_t days = 0;
    for (wchar_t ch : trimmed) {
        if (ch < L'0' || ch > L'9') {
            break;
        }
        days = days * 10 + (ch - L'0');
        if (days > kMaxOlderThanDays) {
            return kMaxOlderThanDays;
        }
    }
    return static_cast<int32_t>(days);
}

int FindMatchingPreset(const PresetList& list, const CleaningOptions& controls) {
    const std::wstring filter = NormalizeFilterForMatching(controls.Filter);
    const std::wstring keep = NormalizeFilterForMatching(controls.Keep);
    const uint32_t flags = controls.PackFlags();
    for (int i = 0; i < list.Count(); ++i) {
        if (list[i].Flags == flags && EqualsIgnoreCase(list[i].Filter, filter) &&
            EqualsIgnoreCase(list[i].Keep, keep) &&
            static_cast<int64_t>(list[i].OlderThanDays) == controls.OlderThanDays) {
            return i;
        }
    }
    return kNoPreset;
}

int ReselectPreset(const PresetList& list, const CleaningOptions& controls) {
    const int match = FindMatchingPreset(list, controls);
    return match == kNoPreset ? CustomComboIndex(list) : match;
}

bool ApplyPreset(const PresetList& list, int selection, CleaningOptions& controls) {
    const PresetEntry* entry = list.At(selection);
    if (entry == nullptr) {
        return false;
    }
    controls.Filter = entry->Filter;
    controls.Keep = entry->Keep;
    controls.OlderThanDays = entry->OlderThanDays > kMaxOlderThanDays
                                 ? kMaxOlderThanDays
                                 : static_cast<int32_t>(entry->OlderThanDays);
    controls.UnpackFlags(entry->Flags);
    return true;
}

int SelectPresetAtCreation(const PresetList& list, int32_t custom_index,
                           int32_t window_preset_index, CleaningOptions& controls) {
    if (window_preset_index == kNoPreset || window_preset_index == custom_index) {
        return ReselectPreset(list, controls);
    }
    if (ApplyPreset(list, window_preset_index, controls)) {
        return window_preset_index;
    }
    return window_preset_index == CustomComboIndex(list) ? window_preset_index : kNoPreset;
}

int SelectPresetAfterPresetsChanged(const PresetList& list, int32_t window_preset_index,
                                    CleaningOptions& controls) {
    const int selection =
        window_preset_index < 0 || window_preset_index >= list.Count() ? 0 : window_preset_index;
    ApplyPreset(list, selection, controls);
    return selection;
}

}  // namespace vantrel
