#pragma once

#include <string>

#include "engine/file_system.h"
#include "engine/items.h"
#include "engine/run_context.h"
#include "engine/run_state.h"

namespace vantrel {

// The clean phase of a run: deletes the file list's items top to bottom (a folder listed
// by name with its content, a folder listed as empty only while it still is), each row ending
// with its outcome (or removed when it was deleted and AutoRemoveDeleted is on, which is
// read anew for every row). The row count is read again after every row. Returns 0.
int CleanAllItems(RunContext& ctx);

// Deletes one listed file, permanently (its read-only bit cleared first) or through the
// Recycle Bin. A path that is now a folder is not the listed file and is left alone.
DeleteResult DeleteFileItem(FileSystem& fs, const std::wstring& path, bool recycle);

// Deletes one listed folder with its content, permanently or through the Recycle Bin.
// A folder link is removed as a link. The Recycle Bin is never given a folder that is or
// holds a folder link: where the shell cannot recycle an item it deletes it permanently,
// following links, which would reach outside the chosen folders.
DeleteResult DeleteFolderItem(FileSystem& fs, const RunState& state, const std::wstring& path,
                              bool recycle);

// Removes a folder that was listed because it was empty, only if it is still empty: the
// folder alone is removed (nothing inside is ever touched), permanently or, after checking
// that it is still empty, through the Recycle Bin. A folder that now holds something, or
// whose content cannot be listed, or that is no longer a plain folder, is DeleteFailed.
DeleteResult DeleteEmptyFolderItem(FileSystem& fs, const std::wstring& path, bool recycle);

// Permanent deletion of a folder and everything in it; folder links inside are removed as
// links, never descended. 0 when the folder is gone; 1 when it does not exist or a stop
// was requested (the folder stays); -1 when something could not be deleted (what could be
// deleted is gone, the rest and the folder stay). Stop is polled before every entry.
int DeleteFolderTree(FileSystem& fs, const RunState& state, const std::wstring& path);

// True when `path` is a folder link or a folder link lies anywhere below it; also true
// when that cannot be told because a listing failed.
bool HoldsFolderLink(FileSystem& fs, const std::wstring& path);

// Runs the two phases of a Scan & Clean: the clean only when the scan was neither
// stopped nor declined. Returns 0.
int ScanAndCleanPhases(RunContext& ctx);

}  // namespace vantrel
