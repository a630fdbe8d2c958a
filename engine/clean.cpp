#include "engine/clean.h"

#include <memory>
#include <vector>

#include "engine/run_view.h"
#include "engine/scan.h"

namespace vantrel {

namespace {

bool IsLink(uint32_t attributes) {
    return (attributes & kAttributeReparsePoint) != 0;
}

bool IsFolder(uint32_t attributes) {
    return (attributes & kAttributeDirectory) != 0;
}

// Clears the read-only bit when it is set, keeping every other bit; true when it was
// cleared. A failure is ignored (the deletion that follows then fails). A link's attributes
// are left alone, so that the change never reaches the link's target.
bool ClearReadOnly(FileSystem& fs, const std::wstring& path, uint32_t attributes) {
    return attributes != kInvalidAttributes && (attributes & kAttributeReadOnly) != 0 &&
           !IsLink(attributes) && fs.SetAttributes(path, attributes & ~kAttributeReadOnly);
}

// After a deletion with the read-only bit cleared: an item that stayed (held open, no
// longer empty, ...) gets its bit back, so a failed clean never leaves it unprotected.
bool KeepReadOnlyUnlessRemoved(FileSystem& fs, const std::wstring& path, uint32_t attributes,
                               bool cleared, bool removed) {
    if (cleared && !removed) {
        fs.SetAttributes(path, attributes);
    }
    return removed;
}

// Deletes a file, retrying once with its read-only bit cleared. Trying first saves two
// system calls per file in the common case of a writable file.
bool RemoveFileForced(FileSystem& fs, const std::wstring& path) {
    if (fs.RemoveFile(path)) {
        return true;
    }
    const uint32_t attributes = fs.GetAttributes(path);
    if (attributes == kInvalidAttributes || IsFolder(attributes) ||
        (attributes & kAttributeReadOnly) == 0 || IsLink(attributes)) {
        return false;
    }
    const bool cleared = ClearReadOnly(fs, path, attributes);
    return KeepReadOnlyUnlessRemoved(fs, path, attributes, cleared, fs.RemoveFile(path));
}

// True when the folder's listing opens and is read to its end without an entry.
bool IsStillEmpty(FileSystem& fs, const std::wstring& path) {
    std::unique_ptr<FolderListing> listing = fs.OpenListing(path);
    if (listing == nullptr) {
        return false;
    }
    DirEntry entry;
    while (listing->Next(entry)) {
        if (!IsDotEntry(entry.name, entry.attributes)) {
            return false;
        }
    }
    return listing->GetState() == FolderListing::State::Complete;
}

struct DeleteFrame {
    std::wstring path;
    std::unique_ptr<FolderListing> listing;
    uint32_t attributes = 0;
    int failures = 0;
};

ItemStatus CleanOutcome(DeleteResult result) {
    switch (result) {
        case DeleteOk:
            return ItemStatus::Done;
        case DeleteMissing:
            return ItemStatus::NotExists;
        case DeleteFailed:
            break;
    }
    return ItemStatus::Failed;
}

}  // namespace

DeleteResult DeleteFileItem(FileSystem& fs, const std::wstring& path, bool recycle) {
    if (path.empty()) {
        return DeleteMissing;
    }
    if (recycle) {
        if (!fs.Exists(path)) {
            return DeleteMissing;
        }
        const uint32_t attributes = fs.GetAttributes(path);
        if (attributes == kInvalidAttributes || IsFolder(attributes)) {
            return DeleteFailed;
        }
        return fs.Recycle(path) ? DeleteOk : DeleteFailed;
    }
    // Deleting first and asking whether the file exists only when that fails gives the
    // same outcomes as asking first, with one system call per file instead of three.
    if (RemoveFileForced(fs, path)) {
        return DeleteOk;
    }
    return fs.Exists(path) ? DeleteFailed : DeleteMissing;
}

DeleteResult DeleteFolderItem(FileSystem& fs, const RunState& state, const std::wstring& path,
                              bool recycle) {
    if (path.empty() || !fs.Exists(path)) {
        return DeleteMissing;
    }
    if (recycle) {
        const uint32_t attributes = fs.GetAttributes(path);
        if (attributes == kInvalidAttributes || !IsFolder(attributes) ||
            HoldsFolderLink(fs, path)) {
            return DeleteFailed;
        }
        return fs.Recycle(path) ? DeleteOk : DeleteFailed;
    }
    return DeleteFolderTree(fs, state, path) == 0 ? DeleteOk : DeleteFailed;
}

DeleteResult DeleteEmptyFolderItem(FileSystem& fs, const std::wstring& path, bool recycle) {
    if (path.empty() || !fs.Exists(path)) {
        return DeleteMissing;
    }
    const uint32_t attributes = fs.GetAttributes(path);
    if (attributes == kInvalidAttributes || !IsFolder(attributes) || IsLink(attributes)) {
        return DeleteFailed;
    }
    if (recycle) {
        return IsStillEmpty(fs, path) && fs.Recycle(path) ? DeleteOk : DeleteFailed;
    }
    // Removing the folder itself fails while anything is inside: no walk, no content lost.
    if (fs.RemoveEmptyFolder(path)) {
        return DeleteOk;
    }
    if ((attributes & kAttributeReadOnly) == 0 || !IsStillEmpty(fs, path)) {
        return DeleteFailed;
    }
    const bool cleared = ClearReadOnly(fs, path, attributes);
    return KeepReadOnlyUnlessRemoved(fs, path, attributes, cleared, fs.RemoveEmptyFolder(path))
               ? DeleteOk
               : DeleteFailed;
}

int DeleteFolderTree(FileSystem& fs, const RunState& state, const std::wstring& path) {
    if (path.empty()) {
        return -1;
    }
    if (!fs.Exists(path)) {
        return 1;
    }
    const uint32_t root_attributes = fs.GetAttributes(path);
    if (root_attributes == kInvalidAttributes || !IsFolder(root_attributes)) {
        return -1;  // not the folder that was listed
    }
    if (IsLink(root_attributes)) {
        return fs.RemoveEmptyFolder(path) ? 0 : -1;
    }

    // Post-order walk with its own stack: a deep tree cannot exhaust the worker's stack.
    std::vector<DeleteFrame> stack;
    auto enter = [&](std::wstring folder, uint32_t attributes) {
        std::unique_ptr<FolderListing> listing = fs.OpenListing(folder);
        stack.push_back(DeleteFrame{std::move(folder), std::move(listing), attributes, 0});
    };
    enter(path, root_attributes);
    DirEntry entry;
    int result = -1;
    while (!stack.empty()) {
        DeleteFrame& top = stack.back();
        if (top.listing != nullptr && !state.StopRequested() && top.listing->Next(entry)) {
            if (IsDotEntry(entry.name, entry.attributes)) {
                continue;
            }
            std::wstring child = JoinPath(top.path, entry.name);
            if (IsFolder(entry.attributes)) {
                if (IsLink(entry.attributes)) {
                    if (!fs.RemoveEmptyFolder(child)) {
                        ++top.failures;  // e.g. a Unix symlink under Wine: it stays
                    }
                } else {
                    enter(std::move(child), entry.attributes);
                }
            } else if (!RemoveFileForced(fs, child)) {
                ++top.failures;
            }
            continue;
        }
        if (top.listing != nullptr && top.listing->GetState() == FolderListing::State::Failed) {
            ++top.failures;  // entries may remain that were never delivered
        }
        top.listing.reset();
        int outcome = -1;
        if (state.StopRequested()) {
            outcome = 1;
        } else if (top.failures > 0) {
            outcome = -1;
        } else if (fs.RemoveEmptyFolder(top.path)) {
            outcome = 0;
        } else if ((top.attributes & kAttributeReadOnly) != 0) {
            const bool cleared = ClearReadOnly(fs, top.path, top.attributes);
            outcome = KeepReadOnlyUnlessRemoved(fs, top.path, top.attributes, cleared,
                                                fs.RemoveEmptyFolder(top.path))
                          ? 0
                          : -1;
        }
        stack.pop_back();
        if (stack.empty()) {
            result = outcome;
        } else if (outcome != 0) {
            ++stack.back().failures;
        }
    }
    return result;
}

bool HoldsFolderLink(FileSystem& fs, const std::wstring& path) {
    const uint32_t attributes = fs.GetAttributes(path);
    if (attributes == kInvalidAttributes || IsLink(attributes)) {
        return true;
    }
    std::vector<std::wstring> pending{path};
    DirEntry entry;
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        std::unique_ptr<FolderListing> listing = fs.OpenListing(folder);
        if (listing == nullptr) {
            continue;  // nothing listed, nothing the shell could follow
        }
        while (listing->Next(entry)) {
            if (!IsFolder(entry.attributes) || IsDotEntry(entry.name, entry.attributes)) {
                continue;
            }
            if (IsLink(entry.attributes)) {
                return true;
            }
            pending.push_back(JoinPath(folder, entry.name));
        }
        if (listing->GetState() == FolderListing::State::Failed) {
            return true;
        }
    }
    return false;
}

int CleanAllItems(RunContext& ctx) {
    RunView& view = ctx.view;
    const bool delete_read_only = ctx.options.DeleteReadOnlys != 0;
    const bool recycle = ctx.options.RecycleFiles != 0;

    view.SetButtonText(kCleanButtonId, L"Cleaning");
    ctx.state.EndRow();
    view.StartTimer(kCleanTimerId, kRowTimerPeriodMs);
    // The rows as the list shows them when the clean starts, each taken by its identity: a
    // sort while the clean runs moves rows on the screen but not in this order.
    const std::vector<RowId> rows = view.FileRows();
    for (RowId row : rows) {
        SetFileStatus(view, row, ItemStatus::None);
    }
    for (RowId row : rows) {
        if (ctx.state.StopRequested()) {
            break;
        }
        const FileItem* item = view.FileRecord(row);
        if (item == nullptr) {
            continue;
        }
        SetFileStatus(view, row, ItemStatus::InProgress);
        view.EnsureFileVisible(row);
        ItemStatus outcome = ItemStatus::ReadOnly;
        if (delete_read_only || !item->IsReadOnly()) {
            ctx.state.BeginRow(row);
            const DeleteResult result =
                item->IsEmptyFolder() ? DeleteEmptyFolderItem(ctx.fs, item->path, recycle)
                : item->IsFolder()    ? DeleteFolderItem(ctx.fs, ctx.state, item->path, recycle)
                                      : DeleteFileItem(ctx.fs, item->path, recycle);
            ctx.state.EndRow();
            if (result == DeleteOk && view.AutoRemoveDeleted()) {
                view.RemoveFileRow(row);
                continue;
            }
            outcome = CleanOutcome(result);
        }
        SetFileStatus(view, row, outcome);
    }
    ctx.state.EndRow();
    view.StopTimer(kCleanTimerId);
    view.SetButtonText(kCleanButtonId, L"Clean");
    return 0;
}

int ScanAndCleanPhases(RunContext& ctx) {
    ScanAllFolders(ctx);
    if (ctx.state.StopRequested() || ctx.state.Declined()) {
        return 0;
    }
    return CleanAllItems(ctx);
}

}  // namespace vantrel
