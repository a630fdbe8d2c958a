#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/cleaning_options.h"

namespace vantrel {

class RegistryProfile;

// A named, stored set of cleaning options. The filter is kept as typed (not normalised).
struct PresetEntry {
    std::wstring Name;
    std::wstring Filter;
    uint32_t Flags = kNewPresetFlags;
    std::wstring Keep;           // "Keep"; a preset stored without it keeps nothing
    uint32_t OlderThanDays = 0;  // "OlderThanDays"; 0 when not stored

    bool operator==(const PresetEntry& other) const {
        return Name == other.Name && Filter == other.Filter && Flags == other.Flags &&
               Keep == other.Keep && OlderThanDays == other.OlderThanDays;
    }
};

// The ordered presets, zero-based. The list owns its entries; an entry keeps its address
// until it is removed or the list is reset or reassigned, so the preset combo and the
// Presets dialog may refer to entries by pointer.
class PresetList {
  public:
    PresetList() = default;
    PresetList(const PresetList& other);
    PresetList& operator=(const PresetList& other);
    PresetList(PresetList&&) noexcept = default;
    PresetList& operator=(PresetList&&) noexcept = default;

    int Count() const { return static_cast<int>(entries_.size()); }
    bool Empty() const { return entries_.empty(); }
    PresetEntry& operator[](int index) { return *entries_[static_cast<size_t>(index)]; }
    const PresetEntry& operator[](int index) const { return *entries_[static_cast<size_t>(index)]; }
    // The entry at index, or nullptr when index is not below Count().
    const PresetEntry* At(int index) const;
    // The position of an entry of this list, or -1.
    int IndexOf(const PresetEntry* entry) const;

    PresetEntry& Append(PresetEntry entry);
    void RemoveAt(int index);
    void Clear() { entries_.clear(); }
    // Replaces the whole list (the Presets dialog stores its tree this way).
    void Assign(const std::vector<PresetEntry>& entries);
    std::vector<PresetEntry> Values() const;

    bool operator==(const PresetList& other) const { return Values() == other.Values(); }

  private:
    std::vector<std::unique_ptr<PresetEntry>> entries_;
};

// Index of no preset, and CustomIndex before presets were loaded.
inline constexpr int kNoPreset = -1;

// The eleven built-in presets, fresh copies in table order.
PresetList DefaultPresets();
// Replaces the list's entries by fresh copies of the built-in presets.
void ResetToDefaultPresets(PresetList& list);

// Registry section of the preset at zero-based index: "Presets\01" ... "Presets\99",
// "Presets\100", ... (one-based, at least two digits).
std::wstring PresetSection(int index);
inline constexpr const wchar_t* kPresetsSection = L"Presets";

// Fills the list from the store by the rule the Explorer extension shares
// (ReadStoredPresets). When nothing usable is stored, the built-in presets are taken and
// saved at once.
// Returns the number of entries, which is the CustomIndex.
int32_t LoadPresets(RegistryProfile& profile, PresetList& list);
// Writes every entry ("Name", "Filter", "Flags"), then "Count". Subkeys numbered above the
// count are left alone; no reader looks past "Count".
void SavePresets(RegistryProfile& profile, const PresetList& list);

}  // namespace vantrel
