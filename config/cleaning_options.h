#pragma once

#include <cstdint>
#include <string>

#include "engine/run_options.h"

namespace vantrel {

// Bits of a preset's packed Flags value. No other bit has a meaning.
enum OptionFlag : uint32_t {
    DeleteFilesFlag = 0x0001,
    DeleteFoldersFlag = 0x0002,
    DeleteEmptyFilesFlag = 0x0010,
    DeleteEmptyFoldersFlag = 0x0020,
    ScanSubfoldersFlag = 0x0100,
    DeleteReadOnlysFlag = 0x0200,
    RecycleFilesFlag = 0x1000,
};

// Flags of a preset made without values: every default switch but DeleteFolders.
inline constexpr uint32_t kNewPresetFlags =
    DeleteFilesFlag | ScanSubfoldersFlag | DeleteReadOnlysFlag | RecycleFilesFlag;

// An age threshold read from storage or typed: a negative value is off (0).
inline int32_t StoredDays(int32_t days) {
    return days > 0 ? days : 0;
}

// What a scan finds and a clean deletes: the filter, the keep filter, the age threshold and
// seven switches, each 0 or 1.
struct CleaningOptions {
    std::wstring Filter;
    // Names that are never listed nor entered, in the filter's syntax; empty keeps nothing.
    std::wstring Keep;
    // Only items unchanged for at least this many days are listed; 0 is off.
    int32_t OlderThanDays = 0;
    int32_t ScanSubfolders = 1;
    int32_t DeleteFiles = 1;
    int32_t DeleteFolders = 1;
    int32_t DeleteEmptyFiles = 0;
    int32_t DeleteEmptyFolders = 0;
    int32_t DeleteReadOnlys = 1;
    int32_t RecycleFiles = 1;

    // The seven switches as OptionFlag bits; a switch counts as on when it is non-zero.
    uint32_t PackFlags() const;
    // Sets every switch to 0 or 1 from its bit; other bits are ignored.
    void UnpackFlags(uint32_t flags);
    // A stored Flags value equals these switches only when all 32 bits agree.
    bool FlagsEqual(uint32_t flags) const { return PackFlags() == flags; }

    // The filter and switches as a run takes them (a switch is on when it is non-zero).
    RunOptions ForRun() const;
};

}  // namespace vantrel
