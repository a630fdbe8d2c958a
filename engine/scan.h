#pragma once

#include <cstdint>
#include <string>

#include "engine/items.h"
#include "engine/run_context.h"

namespace vantrel {

// The switches of CleaningOptions that decide what a scan lists.
struct ScanSwitches {
    bool scan_subfolders = false;
    bool delete_files = false;
    bool delete_folders = false;
    bool delete_empty_files = false;
    bool delete_empty_folders = false;

    static ScanSwitches From(const CleaningOptions& options);
};

// The scan phase of a run: walks every folder row (the row count is read again after
// every row, so rows added during the run are scanned too) and lists what a clean deletes.
// Once the "all items" question has been answered No, every remaining folder of the run
// ends Declined and nothing more is listed. Returns 0.
int ScanAllFolders(RunContext& ctx);

// Scans one folder and, with scan_subfolders, its subfolders, appending every item to
// delete and adding it to `found_count`. The running count is shown in the run's current
// folder row. Folder links met in the walk are listed when they match but never entered.
ScanResult ScanFolder(RunContext& ctx, const std::wstring& folder, const std::wstring& filter_text,
                      const ScanSwitches& switches, int32_t& found_count);

}  // namespace vantrel
