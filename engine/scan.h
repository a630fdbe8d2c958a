#pragma once

#include <cstdint>
#include <string>

#include "engine/items.h"
#include "engine/run_context.h"

namespace vantrel {

// The switches of RunOptions that decide what a scan lists.
struct ScanSwitches {
    bool scan_subfolders = false;
    bool delete_files = false;
    bool delete_folders = false;
    bool delete_empty_files = false;
    bool delete_empty_folders = false;

    static ScanSwitches From(const RunOptions& options);
};

// The scan phase of a run: walks every folder row (the row count is read again after
// every row, so rows added during the run are scanned too) and lists what a clean deletes.
// Once the "all items" question has been answered No, every remaining folder of the run
// ends Declined and nothing more is listed. Returns 0.
int ScanAllFolders(RunContext& ctx);

// The first error of a folder's scan: the system's code (or one of the engine's own) and
// the folder it concerns.
struct ScanError {
    uint32_t code = kErrorNone;
    std::wstring path;
};

// Scans one folder and, with scan_subfolders, its subfolders, appending every item to
// delete and adding it to `found_count`; an item left out because it changed too recently
// (RunOptions::older_than_days) adds to `held_back_count` instead. Items the keep rule
// (RunOptions::keep, the keep marker) names are never listed nor entered; a matched folder
// is walked whole to total and date it, and is not listed when a kept item lies inside
// (it is then walked like any other folder). The running count is shown in the run's current
// folder row. Folder links met in the walk are listed when they match but never entered.
// A chosen folder that is a link, not a folder or cannot be read is Failed; so is the scan
// of a folder in which a subfolder cannot be read (what could be read is listed; a folder
// whose listing failed is never taken as empty). Only a chosen folder that is not found is
// FolderMissing. The first error goes to `error` when given.
ScanResult ScanFolder(RunContext& ctx, const std::wstring& folder, const std::wstring& filter_text,
                      const ScanSwitches& switches, int32_t& found_count, int32_t& held_back_count,
                      ScanError* error = nullptr);

}  // namespace vantrel
