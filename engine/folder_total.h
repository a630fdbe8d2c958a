#pragma once

#include <cstdint>
#include <string>

#include "engine/file_system.h"
#include "engine/keep_rule.h"
#include "engine/run_state.h"

namespace vantrel {

// What a walk of a whole folder tree found.
struct FolderTotal {
    int64_t size = 0;             // the sizes of the files at every depth, each counted once
    uint64_t newest = 0;          // the newest known last-write time of the folder and its content
    bool unknown_time = false;    // some item's last-write time could not be read
    bool holds_kept = false;      // a kept item lies inside; the walk ended where it was met
    bool stopped = false;         // a stop was requested; the walk ended there
    uint32_t error = kErrorNone;  // a folder inside could not be read whole
    std::wstring error_path;      // the folder that could not be read
};

// Walks the folder `path` whole (links are counted as items but never entered), adding up
// its files' sizes and finding its newest last-write time, starting from `own_time`, the
// folder's own time as its parent's listing gave it (0 when unknown). Ends early at the
// first kept item, at a stop request or at a folder that cannot be read: then the folder
// is not one to delete whole. A subfolder that vanished during the walk adds nothing.
FolderTotal TotalFolder(FileSystem& fs, const RunState& state, const std::wstring& path,
                        uint64_t own_time, const KeepRule& keep);

}  // namespace vantrel
