#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "config/presets.h"

namespace vantrel {

class RegistryProfile;

// What the Presets dialog's editing controls show: the name box, the filter box, the keep
// box, the age box's days and the seven check boxes packed into OptionFlag bits.
struct PresetEditValues {
    std::wstring Name;
    std::wstring Filter;
    uint32_t Flags = 0;
    std::wstring Keep;
    uint32_t OlderThanDays = 0;
};

PresetEditValues EditValuesOf(const PresetEntry& entry);

// The Presets dialog without its window. It edits the application's list in place: the
// shown entries are the list's own plus those that Add created, in the order the tree
// shows them. The list is replaced by the shown entries only by Finish, and only when
// something changed.
class PresetEditor {
  public:
    explicit PresetEditor(PresetList& list);

    // The entries in tree order, top to bottom.
    const std::vector<PresetEntry*>& Shown() const { return shown_; }
    PresetEntry* Current() const { return current_; }
    bool Changed() const { return changed_; }

    // Keeps the edits of the current preset: each of name, filter, flags, keep and days that
    // differs (exactly, case-sensitively, all 32 bits) is stored and marks the list changed. An
    // empty name is not taken: a nameless preset would end the stored list at the next start and
    // drop every preset after it, so the entry keeps its previous name. Returns false when
    // the name was refused, so the caller can show the kept name again.
    bool Commit(const PresetEditValues& values);
    // Makes `entry` (one of Shown(), or nullptr) the preset being edited.
    void SetCurrent(PresetEntry* entry);

    // A new "New preset" with filter "*.*" and the default flags, shown last.
    PresetEntry& Add();
    // Takes a shown entry out and disposes of it; the current preset becomes none when it
    // was that entry. Unknown entries are ignored.
    void Remove(PresetEntry* entry);
    // Drops every edit not yet committed and every added entry, and shows fresh copies of
    // the built-in presets.
    void LoadDefaults();

    // When something changed: the list becomes the shown entries in order and is saved.
    // Returns whether the list changed. Commit first to keep the current edits.
    bool Finish(RegistryProfile& profile);

  private:
    bool IsShown(const PresetEntry* entry) const;

    PresetList& list_;
    std::vector<std::unique_ptr<PresetEntry>> added_;
    std::vector<PresetEntry*> shown_;
    PresetEntry* current_ = nullptr;
    bool changed_ = false;
};

}  // namespace vantrel
