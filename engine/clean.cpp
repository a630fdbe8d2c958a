#include "engine/clean.h"

#include <memory>
#include <vector>

#include "engine/failure_reason.h"
#include "engine/folder_total.h"
#include "engine/held_path.h"
#include "engine/path.h"
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
// kErrorNone when the item was removed, else the deletion's error, read before the bit
// is restored.
uint32_t KeepReadOnlyUnlessRemoved(FileSystem& fs, const std::wstring& path, uint32_t attributes,
                                   bool cleared, bool removed) {
    if (removed) {
        return kErrorNone;
    }
    const uint32_t error = fs.LastError();
    if (cleared) {
        fs.SetAttributes(path, attributes);
    }
    return error;
}

// Deletes a file, retrying once with its read-only bit cleared. Trying first saves two
// system calls per file in the common case of a writable file. kErrorNone, or why not.
uint32_t RemoveFileForced(FileSystem& fs, const std::wstring& path) {
    if (fs.RemoveFile(path)) {
        return kErrorNone;
    }
    const uint32_t error = fs.LastError();
    if (IsNotFoundError(error)) {
        return error;
    }
    const uint32_t attributes = fs.GetAttributes(path);
    if (attributes == kInvalidAttributes) {
        return IsNotFoundError(fs.LastError()) ? fs.LastError() : error;
    }
    if (IsFolder(attributes)) {
        return kErrorKindChanged;
    }
    if ((attributes & kAttributeReadOnly) == 0 || IsLink(attributes)) {
        return error;
    }
    const bool cleared = ClearReadOnly(fs, path, attributes);
    return KeepReadOnlyUnlessRemoved(fs, path, attributes, cleared, fs.RemoveFile(path));
}

// kErrorNone when the folder's listing opens and is read to its end without an entry;
// kErrorNoLongerEmpty when it holds something; else the error that kept it from being read.
uint32_t CheckStillEmpty(FileSystem& fs, const std::wstring& path) {
    std::unique_ptr<FolderListing> listing = fs.OpenListing(path);
    if (listing == nullptr) {
        return fs.LastError();
    }
    DirEntry entry;
    while (listing->Next(entry)) {
        if (!IsDotEntry(entry.name, entry.attributes)) {
            return kErrorNoLongerEmpty;
        }
    }
    return listing->GetState() == FolderListing::State::Complete ? kErrorNone : listing->Error();
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

// The outcome of a failed step: "Not exists" only for file-not-found and path-not-found.
DeleteResult FailedWith(uint32_t code, uint32_t* error) {
    if (error != nullptr) {
        *error = code;
    }
    return IsNotFoundError(code) ? DeleteMissing : DeleteFailed;
}

// The attributes of the item to delete; kInvalidAttributes with `result` set when it
// cannot be read.
uint32_t ItemAttributes(FileSystem& fs, const std::wstring& path, DeleteResult& result,
                        uint32_t* error) {
    const uint32_t attributes = fs.GetAttributes(path);
    if (attributes == kInvalidAttributes) {
        result = FailedWith(fs.LastError(), error);
    }
    return attributes;
}

// Lets go of the folders a folder deletion held when it ends, however it ends.
class ReleaseOnExit {
  public:
    explicit ReleaseOnExit(FileSystem& fs) : fs_(fs), keep_(fs.HeldFolderCount()) {}
    ~ReleaseOnExit() { fs_.ReleaseFolders(keep_); }
    ReleaseOnExit(const ReleaseOnExit&) = delete;
    ReleaseOnExit& operator=(const ReleaseOnExit&) = delete;
    size_t Keep() const { return keep_; }

  private:
    FileSystem& fs_;
    size_t keep_;
};

// True when a kept item (RunOptions::keep, the keep marker) now lies inside a real folder:
// one put there since the scan keeps the folder whole, since deleting it goes by the tree.
bool NowHoldsKeptItem(RunContext& ctx, const KeepRule& keep, const std::wstring& path) {
    const uint32_t attributes = ctx.fs.GetAttributes(path);
    if (attributes == kInvalidAttributes || !IsFolder(attributes) || IsLink(attributes)) {
        return false;  // the deletion tells what became of it
    }
    return TotalFolder(ctx.fs, ctx.state, path, 0, keep).holds_kept;
}

}  // namespace

DeleteResult DeleteFileItem(FileSystem& fs, const std::wstring& path, bool recycle,
                            uint32_t* error) {
    if (path.empty()) {
        return DeleteMissing;
    }
    if (recycle) {
        DeleteResult result = DeleteFailed;
        const uint32_t attributes = ItemAttributes(fs, path, result, error);
        if (attributes == kInvalidAttributes) {
            return result;
        }
        if (IsFolder(attributes)) {
            return FailedWith(kErrorKindChanged, error);
        }
        return fs.Recycle(path) ? DeleteOk : FailedWith(fs.LastError(), error);
    }
    // Deleting first and asking why only when that fails gives the same outcomes as asking
    // first, with one system call per file instead of three.
    const uint32_t failure = RemoveFileForced(fs, path);
    return failure == kErrorNone ? DeleteOk : FailedWith(failure, error);
}

DeleteResult DeleteFolderItem(FileSystem& fs, const RunState& state, const std::wstring& path,
                              bool recycle, uint32_t* error) {
    if (path.empty()) {
        return DeleteMissing;
    }
    DeleteResult result = DeleteFailed;
    const uint32_t attributes = ItemAttributes(fs, path, result, error);
    if (attributes == kInvalidAttributes) {
        return result;
    }
    if (recycle) {
        if (!IsFolder(attributes)) {
            return FailedWith(kErrorKindChanged, error);
        }
        uint32_t why = kErrorNone;
        if (HoldsFolderLink(fs, state, path, &why)) {
            return FailedWith(why, error);
        }
        return fs.Recycle(path) ? DeleteOk : FailedWith(fs.LastError(), error);
    }
    uint32_t why = kErrorNone;
    const int outcome = DeleteFolderTree(fs, state, path, &why);
    return outcome == 0 ? DeleteOk : FailedWith(why, error);
}

DeleteResult DeleteEmptyFolderItem(FileSystem& fs, const std::wstring& path, bool recycle,
                                   uint32_t* error) {
    if (path.empty()) {
        return DeleteMissing;
    }
    DeleteResult result = DeleteFailed;
    const uint32_t attributes = ItemAttributes(fs, path, result, error);
    if (attributes == kInvalidAttributes) {
        return result;
    }
    if (!IsFolder(attributes)) {
        return FailedWith(kErrorKindChanged, error);
    }
    if (IsLink(attributes)) {
        return FailedWith(kErrorLinkOnPath, error);
    }
    if (recycle) {
        const uint32_t empty = CheckStillEmpty(fs, path);
        if (empty != kErrorNone) {
            return FailedWith(empty, error);
        }
        return fs.Recycle(path) ? DeleteOk : FailedWith(fs.LastError(), error);
    }
    // Removing the folder itself fails while anything is inside: no walk, no content lost.
    if (fs.RemoveEmptyFolder(path)) {
        return DeleteOk;
    }
    const uint32_t failure = fs.LastError();
    const uint32_t empty = CheckStillEmpty(fs, path);
    if (empty != kErrorNone) {
        return FailedWith(empty, error);
    }
    if ((attributes & kAttributeReadOnly) == 0) {
        return FailedWith(failure, error);
    }
    const bool cleared = ClearReadOnly(fs, path, attributes);
    const uint32_t removed =
        KeepReadOnlyUnlessRemoved(fs, path, attributes, cleared, fs.RemoveEmptyFolder(path));
    return removed == kErrorNone ? DeleteOk : FailedWith(removed, error);
}

int DeleteFolderTree(FileSystem& fs, const RunState& state, const std::wstring& path,
                     uint32_t* error) {
    uint32_t first_error = kErrorNone;
    auto note = [&first_error](uint32_t code) {
        if (first_error == kErrorNone) {
            first_error = code;
        }
    };
    auto finish = [&](int result) {
        if (error != nullptr) {
            *error = result == 0 ? kErrorNone : first_error;
        }
        return result;
    };
    if (path.empty()) {
        return finish(-1);
    }
    const uint32_t root_attributes = fs.GetAttributes(path);
    if (root_attributes == kInvalidAttributes) {
        note(fs.LastError());
        return finish(IsNotFoundError(first_error) ? 1 : -1);
    }
    if (!IsFolder(root_attributes)) {
        note(kErrorKindChanged);
        return finish(-1);  // not the folder that was listed
    }
    if (IsLink(root_attributes)) {
        if (fs.RemoveEmptyFolder(path)) {
            return finish(0);
        }
        note(fs.LastError());
        return finish(-1);
    }

    // Every folder is held while it is walked: checked to be a real folder when entered,
    // and kept from being renamed or swapped for a link until its content is gone. A
    // subfolder that became a link since its parent was listed is removed as a link or
    // left, never entered.
    const ReleaseOnExit release(fs);
    std::vector<DeleteFrame> stack;
    // 0 when the folder is held and listed; otherwise its outcome as an entry.
    auto enter = [&](std::wstring folder, uint32_t attributes) {
        const uint32_t held = fs.HoldFolder(folder);
        if (held == kErrorLinkOnPath) {
            if (fs.RemoveEmptyFolder(folder)) {
                return 0;
            }
            note(kErrorLinkOnPath);
            return -1;
        }
        if (held != kErrorNone) {
            note(held);
            return IsNotFoundError(held) ? 1 : -1;
        }
        std::unique_ptr<FolderListing> listing = fs.OpenListing(folder);
        int failures = 0;
        if (listing == nullptr) {
            note(fs.LastError());
            failures = 1;  // its content cannot be told, so the folder stays
        }
        stack.push_back(DeleteFrame{std::move(folder), std::move(listing), attributes, failures});
        return 0;
    };
    const int root_entered = enter(path, root_attributes);
    if (stack.empty()) {
        return finish(root_entered == 0 ? 0 : root_entered);
    }
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
                        note(fs.LastError());
                        ++top.failures;  // e.g. a Unix symlink under Wine: it stays
                    }
                } else {
                    DeleteFrame* parent = &top;
                    const size_t depth = stack.size();
                    const int entered = enter(std::move(child), entry.attributes);
                    if (stack.size() == depth && entered < 0) {
                        ++parent->failures;
                    }
                }
            } else {
                const uint32_t failure = RemoveFileForced(fs, child);
                if (failure != kErrorNone && !IsNotFoundError(failure)) {
                    note(failure);
                    ++top.failures;
                }
            }
            continue;
        }
        if (top.listing != nullptr && top.listing->GetState() == FolderListing::State::Failed) {
            note(top.listing->Error());
            ++top.failures;  // entries may remain that were never delivered
        }
        top.listing.reset();
        // Let go of this folder before removing it: a held folder cannot be removed.
        fs.ReleaseFolders(release.Keep() + stack.size() - 1);
        int outcome = -1;
        if (state.StopRequested()) {
            note(kErrorStopped);
            outcome = 1;
        } else if (top.failures > 0) {
            outcome = -1;
        } else if (fs.RemoveEmptyFolder(top.path)) {
            outcome = 0;
        } else if ((top.attributes & kAttributeReadOnly) != 0) {
            const bool cleared = ClearReadOnly(fs, top.path, top.attributes);
            const uint32_t removed = KeepReadOnlyUnlessRemoved(
                fs, top.path, top.attributes, cleared, fs.RemoveEmptyFolder(top.path));
            outcome = removed == kErrorNone ? 0 : -1;
            note(removed);
        }
        if (outcome == -1 && top.failures == 0) {
            note(fs.LastError());
        }
        stack.pop_back();
        if (stack.empty()) {
            result = outcome;
        } else if (outcome != 0) {
            ++stack.back().failures;
        }
    }
    return finish(result);
}

bool HoldsFolderLink(FileSystem& fs, const RunState& state, const std::wstring& path,
                     uint32_t* why) {
    auto refuse = [why](uint32_t code) {
        if (why != nullptr) {
            *why = code;
        }
        return true;
    };
    const uint32_t attributes = fs.GetAttributes(path);
    if (attributes == kInvalidAttributes) {
        return refuse(fs.LastError());
    }
    if (IsLink(attributes)) {
        return refuse(kErrorHoldsLink);
    }
    std::vector<std::wstring> pending{path};
    DirEntry entry;
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        std::unique_ptr<FolderListing> listing = fs.OpenListing(folder);
        if (listing == nullptr) {
            const uint32_t code = fs.LastError();
            if (IsNotFoundError(code)) {
                continue;  // vanished: nothing the shell could follow
            }
            return refuse(code);
        }
        while (listing->Next(entry)) {
            if (state.StopRequested()) {
                return refuse(kErrorStopped);
            }
            if (!IsFolder(entry.attributes) || IsDotEntry(entry.name, entry.attributes)) {
                continue;
            }
            if (IsLink(entry.attributes)) {
                return refuse(kErrorHoldsLink);
            }
            pending.push_back(JoinPath(folder, entry.name));
        }
        if (listing->GetState() == FolderListing::State::Failed) {
            return refuse(listing->Error());
        }
    }
    return false;
}

int CleanAllItems(RunContext& ctx) {
    RunView& view = ctx.view;
    const bool delete_read_only = ctx.options.delete_read_only;
    const bool recycle = ctx.options.recycle;

    ctx.state.EndRow();
    view.PhaseStarted(RunPhase::Clean);
    // The rows as the list shows them when the clean starts, each taken by its identity: a
    // sort while the clean runs moves rows on the screen but not in this order.
    const std::vector<RowId> rows = view.FileRows();
    const KeepRule keep(ctx.options.keep);
    HeldPath held(ctx.fs);
    for (RowId row : rows) {
        view.SetFileStatus(row, ItemStatus::None, {});
    }
    for (RowId row : rows) {
        if (ctx.state.StopRequested()) {
            break;
        }
        const FileItem* item = view.FileRecord(row);
        if (item == nullptr) {
            continue;
        }
        view.SetFileStatus(row, ItemStatus::InProgress, {});
        view.EnsureFileVisible(row);
        ItemStatus outcome = ItemStatus::ReadOnly;
        std::wstring reason;
        if (delete_read_only || !item->IsReadOnly()) {
            ctx.state.BeginRow(row);
            // Nothing is deleted through a folder that is no longer the real folder the scan
            // walked: every folder from the chosen one down is checked and held meanwhile.
            uint32_t error = held.HoldFor(item->path, item->root_length);
            DeleteResult result = FailedWith(error, nullptr);
            if (error == kErrorNone && item->IsFolder() && !item->IsEmptyFolder() &&
                NowHoldsKeptItem(ctx, keep, item->path)) {
                error = kErrorHoldsKept;
                result = FailedWith(error, nullptr);
            }
            if (error == kErrorNone) {
                result = item->IsEmptyFolder()
                             ? DeleteEmptyFolderItem(ctx.fs, item->path, recycle, &error)
                         : item->IsFolder()
                             ? DeleteFolderItem(ctx.fs, ctx.state, item->path, recycle, &error)
                             : DeleteFileItem(ctx.fs, item->path, recycle, &error);
            }
            ctx.state.EndRow();
            if (result == DeleteOk && view.AutoRemoveDeleted()) {
                view.RemoveFileRow(row);
                continue;
            }
            outcome = CleanOutcome(result);
            if (outcome == ItemStatus::Failed) {
                reason = FailureReason(ctx.fs, error);
            }
        }
        view.SetFileStatus(row, outcome, reason);
    }
    held.Release();
    ctx.state.EndRow();
    view.PhaseEnded(RunPhase::Clean);
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
