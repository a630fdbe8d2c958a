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
// Each Delete... function leaves the reason of a DeleteFailed (a system error code or one of
// the engine's own) in `error` when given; only file-not-found and path-not-found give
// DeleteMissing. The folders above the item are checked by the caller (HeldPath).
DeleteResult DeleteFileItem(FileSystem& fs, const std::wstring& path, bool recycle,
                            uint32_t* error = nullptr);

// Deletes one listed folder with its content, permanently or through the Recycle Bin.
// A folder link is removed as a link. The Recycle Bin is never given a folder that is or
// holds a folder link: where the shell cannot recycle an item it deletes it permanently,
// following links, which would reach outside the chosen folders.
DeleteResult DeleteFolderItem(FileSystem& fs, const RunState& state, const std::wstring& path,
                              bool recycle, uint32_t* error = nullptr);

// Removes a folder that was listed because it was empty, only if it is still empty: the
// folder alone is removed (nothing inside is ever touched), permanently or, after checking
// that it is still empty, through the Recycle Bin. A folder that now holds something, or
// whose content cannot be listed, or that is no longer a plain folder, is DeleteFailed.
DeleteResult DeleteEmptyFolderItem(FileSystem& fs, const std::wstring& path, bool recycle,
                                   uint32_t* error = nullptr);

// Permanent deletion of a folder and everything in it; folder links inside are removed as
// links, never descended. Every folder is held (FileSystem::HoldFolder) while it is walked,
// so a subfolder swapped for a link after its parent was listed is removed as a link or
// left, never entered. 0 when the folder is gone; 1 when it does not exist or a stop was
// requested (the folder stays); -1 when something could not be deleted (what could be
// deleted is gone, the rest and the folder stay), with the first error in `error`. Stop is
// polled before every entry.
int DeleteFolderTree(FileSystem& fs, const RunState& state, const std::wstring& path,
                     uint32_t* error = nullptr);

// True when `path` is a folder link or a folder link lies anywhere below it; also true
// when that cannot be told (a listing failed, or a stop was requested during the walk),
// with the reason in `why` when given.
bool HoldsFolderLink(FileSystem& fs, const RunState& state, const std::wstring& path,
                     uint32_t* why = nullptr);

// Runs the two phases of a Scan & Clean: the clean only when the scan was neither
// stopped nor declined. Returns 0.
int ScanAndCleanPhases(RunContext& ctx);

}  // namespace vantrel
