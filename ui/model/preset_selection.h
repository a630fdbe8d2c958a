#pragma once

// The main window's preset rules as plain functions. The window keeps none of this logic:
// it reads its filter edit (1015), keep and age edits and seven check boxes into a
// CleaningOptions ("controls"), calls one of these functions, and writes back the combo
// selection and, where a function changed them, the controls.
//
//   Combo 1047 fill ........ PresetComboItems       (at creation, after the Presets dialog)
//   CBN_SELCHANGE .......... ApplyPreset            (selection in, controls out)
//   WM_USER + 1 ............ ReselectPreset         (controls in, selection out; never applies)
//   creation ............... SelectPresetAtCreation (saved/command-line index in)
//   Presets dialog changed . SelectPresetAfterPresetsChanged (after refilling)
//
// Combo indexes: 0 .. n-1 are the presets in list order, n is "Custom", -1 is no selection.

#include <cstdint>
#include <string>
#include <vector>

#include "config/cleaning_options.h"
#include "config/presets.h"

namespace vantrel {

inline constexpr const wchar_t* kCustomPresetText = L"Custom";

struct PresetComboItem {
    std::wstring text;
    const PresetEntry* entry;  // the list's entry; nullptr for "Custom"
    bool separator_below;      // drawn under the last preset, above "Custom"
};

// The n + 1 combo items: every preset by name in list order, then "Custom".
std::vector<PresetComboItem> PresetComboItems(const PresetList& list);

// The combo index of "Custom" for this list.
inline int CustomComboIndex(const PresetList& list) {
    return list.Count();
}

// The filter text as matching sees it: white space trimmed at both ends, every blank, tab
// and line feed inside removed (carriage returns stay), in lower case.
std::wstring NormalizeFilterForMatching(const std::wstring& text);

// The most days the age box takes: six digits, far beyond any file's age, so that a huge
// value still means "list nothing" rather than wrapping round.
inline constexpr int32_t kMaxOlderThanDays = 999999;

// The age box's text as a number of days: its leading digits (blanks around ignored), at
// most kMaxOlderThanDays; 0 (off) when it starts with no digit.
int32_t OlderThanDaysFromText(const std::wstring& text);

// The first preset whose Flags equal the packed switches in all 32 bits, whose stored
// Filter and Keep equal the normalised filter and keep texts without regard to case, and
// whose OlderThanDays equals the age box's days; kNoPreset without one. Names are never
// compared.
int FindMatchingPreset(const PresetList& list, const CleaningOptions& controls);

// The combo index to select after the filter or a switch changed: the matching preset,
// or "Custom". Nothing is applied.
int ReselectPreset(const PresetList& list, const CleaningOptions& controls);

// Applies the preset at the combo selection: Filter, Keep, OlderThanDays and the seven
// switches of controls take its values and true is returned. For "Custom", no selection or any
// other index nothing changes and false is returned.
bool ApplyPreset(const PresetList& list, int selection, CleaningOptions& controls);

// The combo selection while the main window is being created. window_preset_index is the
// saved "Preset" or the command line's index. When it is -1 or custom_index, the combo is
// set by matching and controls stay; when it names a preset, that preset is selected and
// applied to controls; any other value selects nothing and applies nothing.
int SelectPresetAtCreation(const PresetList& list, int32_t custom_index,
                           int32_t window_preset_index, CleaningOptions& controls);

// After the Presets dialog changed the list and the combo was refilled: the window's
// preset index, or 0 when it is negative or not below the new count, selected and applied.
int SelectPresetAfterPresetsChanged(const PresetList& list, int32_t window_preset_index,
                                    CleaningOptions& controls);

}  // namespace vantrel
