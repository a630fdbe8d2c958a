#include "engine/scan.h"

#include <memory>
#include <set>
#include <vector>

#include "engine/all_pattern_warning.h"
#include "engine/failure_reason.h"
#include "engine/folder_total.h"
#include "engine/item_age.h"
#include "engine/keep_rule.h"
#include "engine/path.h"
#include "engine/wildcard_filter.h"

namespace vantrel {

namespace {

ItemStatus FolderOutcome(ScanResult result) {
    switch (result) {
        case ScanResult::Ok:
            return ItemStatus::Done;
        case ScanResult::FolderMissing:
            return ItemStatus::NotExists;
        case ScanResult::Failed:
            return ItemStatus::Failed;
        case ScanResult::Declined:
            break;
    }
    return ItemStatus::Declined;
}

// Puts the "all items" question at most once per run. False when the folder must not be
// listed: the answer was No now or earlier in this run.
bool AllowedByWarning(RunContext& ctx, const WildcardFilter& filter, const ScanSwitches& switches) {
    if (ctx.state.Declined()) {
        return false;
    }
    if (ctx.state.warned.load(std::memory_order_relaxed) != 0) {
        return true;
    }
    if (!switches.delete_files && !switches.delete_folders) {
        return true;
    }
    const std::wstring* pattern = FindAllPattern(filter);
    if (pattern == nullptr) {
        return true;
    }
    // Set before asking, so the question is put once whatever the answer.
    ctx.state.warned.store(1, std::memory_order_relaxed);
    if (ctx.view.ConfirmAllPattern(
            AllPatternWarningText(*pattern, switches.delete_files, switches.delete_folders))) {
        return true;
    }
    ctx.state.declined.store(1, std::memory_order_relaxed);
    return false;
}

// One folder being walked. Its listing is read whole before any entry is taken, because
// a keep marker anywhere in it keeps the folder and everything below. The walk keeps its
// own stack so that the depth of a tree (paths may be 32,767 characters long) never
// exhausts the worker's stack.
struct WalkFrame {
    std::wstring path;
    uint64_t own_time = 0;  // the folder's last-write time; 0 when unknown
    std::vector<DirEntry> entries;
    size_t next = 0;
    bool opened = false;    // the listing opened
    bool complete = false;  // the listing was read to its very end
    bool kept = false;      // it holds the keep marker: nothing in it is listed
};

}  // namespace

ScanSwitches ScanSwitches::From(const RunOptions& options) {
    ScanSwitches switches;
    switches.scan_subfolders = options.scan_subfolders;
    switches.delete_files = options.delete_files;
    switches.delete_folders = options.delete_folders;
    switches.delete_empty_files = options.delete_empty_files;
    switches.delete_empty_folders = options.delete_empty_folders;
    return switches;
}

ScanResult ScanFolder(RunContext& ctx, const std::wstring& folder, const std::wstring& filter_text,
                      const ScanSwitches& switches, int32_t& found_count, int32_t& held_back_count,
                      ScanError* error) {
    ScanError first;
    bool failed = false;
    auto fail = [&first, &failed](uint32_t code, const std::wstring& path) {
        if (!failed) {
            first = ScanError{code, path};
            failed = true;
        }
    };
    auto result = [&](ScanResult ok) {
        if (!failed) {
            return ok;
        }
        if (error != nullptr) {
            *error = first;
        }
        return ScanResult::Failed;
    };
    if (folder.empty()) {
        return ScanResult::FolderMissing;
    }
    // The chosen folder is taken as named only when that names a real folder: the walk never
    // enters a link, and the clean checks every folder from this one down.
    const uint32_t folder_attributes = ctx.fs.GetAttributes(folder);
    if (folder_attributes == kInvalidAttributes) {
        const uint32_t code = ctx.fs.LastError();
        if (IsNotFoundError(code)) {
            return ScanResult::FolderMissing;
        }
        fail(code, folder);
        return result(ScanResult::Ok);
    }
    if ((folder_attributes & kAttributeReparsePoint) != 0) {
        fail(kErrorChosenIsLink, folder);
        return result(ScanResult::Ok);
    }
    if ((folder_attributes & kAttributeDirectory) == 0) {
        fail(kErrorNotAFolder, folder);
        return result(ScanResult::Ok);
    }
    WildcardFilter filter;
    filter.SetPatterns(filter_text.c_str(), L"");
    if (!AllowedByWarning(ctx, filter, switches)) {
        return ScanResult::Declined;
    }

    const KeepRule keep(ctx.options.keep);
    const AgeLimit age(ctx.options.older_than_days,
                       ctx.options.now != 0 ? ctx.options.now : FileTimeNow());

    // Lists an item unless it changed too recently; false when it is not listed.
    auto append = [&](const std::wstring& path, int64_t size, uint32_t attributes,
                      uint64_t modified, bool time_known) {
        if (!age.OldEnough(time_known ? modified : 0)) {
            ++held_back_count;
            return true;  // held back: not listed, and not to be taken any other way
        }
        if (ctx.view.AddFileItem(path, size, attributes, folder.size(), modified) != 0) {
            return false;
        }
        ++found_count;
        const int row = ctx.state.current_row.load(std::memory_order_relaxed);
        if (row >= 0) {
            ctx.view.SetFolderFoundCount(row, found_count);
        }
        return true;
    };
    // Reads a folder's listing whole; false when a stop was requested meanwhile.
    auto enter = [&](std::wstring path, uint64_t own_time, std::vector<WalkFrame>& stack) {
        WalkFrame frame{std::move(path), own_time};
        std::unique_ptr<FolderListing> listing = ctx.fs.OpenListing(frame.path);
        if (listing == nullptr) {
            // A subfolder that vanished since it was listed gives nothing; any other error
            // (access denied, a dropped share) is the scan's failure.
            const uint32_t code = ctx.fs.LastError();
            if (frame.path == folder || !IsNotFoundError(code)) {
                fail(code, frame.path);
            }
            stack.push_back(std::move(frame));
            return true;
        }
        frame.opened = true;
        DirEntry entry;
        while (listing->Next(entry)) {
            if (ctx.state.StopRequested()) {
                return false;
            }
            if (IsDotEntry(entry.name, entry.attributes)) {
                if (frame.own_time == 0 && entry.name == L".") {
                    frame.own_time = entry.last_write;  // the chosen folder's own time
                }
                continue;
            }
            frame.kept = frame.kept || KeepRule::IsMarker(entry.name);
            frame.entries.push_back(std::move(entry));
        }
        if (listing->GetState() == FolderListing::State::Failed) {
            fail(listing->Error(), frame.path);
        }
        frame.complete = listing->GetState() == FolderListing::State::Complete;
        stack.push_back(std::move(frame));
        return true;
    };

    std::vector<WalkFrame> stack;
    if (!enter(folder, 0, stack)) {
        return result(ScanResult::Ok);
    }
    while (!stack.empty()) {
        WalkFrame& top = stack.back();
        if (!top.kept && top.next < top.entries.size()) {
            if (ctx.state.StopRequested()) {
                // The walk ends here; no folder still open is tested for emptiness.
                return result(ScanResult::Ok);
            }
            const DirEntry& entry = top.entries[top.next++];
            if (keep.Keeps(entry.name)) {
                continue;  // never listed, never entered; its folder is not empty
            }
            const bool link = (entry.attributes & kAttributeReparsePoint) != 0;
            if ((entry.attributes & kAttributeDirectory) != 0) {
                const std::wstring path = JoinPath(top.path, entry.name);
                if (switches.delete_folders && filter.Matches(entry.name.c_str())) {
                    // A matched folder goes whole: walked to total and date it, and listed
                    // only when nothing inside is kept. A link is not entered.
                    FolderTotal total;
                    total.newest = entry.last_write;
                    total.unknown_time = entry.last_write == 0;
                    if (!link) {
                        total = TotalFolder(ctx.fs, ctx.state, path, entry.last_write, keep);
                    }
                    if (total.stopped) {
                        return result(ScanResult::Ok);
                    }
                    if (total.error != kErrorNone) {
                        // One that vanished gives nothing; one that cannot be read whole may
                        // hold anything, so it is left alone and the scan fails.
                        if (total.error_path != path || !IsNotFoundError(total.error)) {
                            fail(total.error, total.error_path);
                        }
                        continue;
                    }
                    if (!total.holds_kept && append(path, total.size, entry.attributes,
                                                    total.newest, !total.unknown_time)) {
                        continue;
                    }
                    // Holding a kept item, the folder is walked like any other, so that
                    // its own matches are still found around what is kept.
                }
                if (switches.scan_subfolders && !link) {
                    const uint64_t own_time = entry.last_write;
                    if (!enter(path, own_time, stack)) {
                        return result(ScanResult::Ok);
                    }
                }
            } else {
                // A file's full path is built only when it is listed.
                const bool matched = switches.delete_files && filter.Matches(entry.name.c_str());
                const bool empty_file = switches.delete_empty_files && entry.size == 0;
                if (!matched && !empty_file) {
                    continue;
                }
                const std::wstring path = JoinPath(top.path, entry.name);
                if (matched && append(path, entry.size, entry.attributes, entry.last_write, true)) {
                    continue;
                }
                if (empty_file) {
                    append(path, entry.size, entry.attributes, entry.last_write, true);
                }
            }
            continue;
        }
        // The listing is finished. A folder counts as empty only when its listing was read to
        // its very end without an entry: one that could not be opened or failed part-way may
        // hold anything, and kept items count as content.
        const bool empty = top.opened && top.complete && top.entries.empty();
        const std::wstring path = std::move(top.path);
        const uint64_t own_time = top.own_time;
        stack.pop_back();
        if (switches.delete_empty_folders && empty) {
            // Only a real folder that still exists: not a vanished one, a file given as a
            // folder, or a link.
            const uint32_t attributes = ctx.fs.GetAttributes(path);
            if (attributes != kInvalidAttributes && (attributes & kAttributeDirectory) != 0 &&
                (attributes & kAttributeReparsePoint) == 0) {
                append(path, -1, attributes, own_time, true);
            }
        }
    }
    return result(ScanResult::Ok);
}

int ScanAllFolders(RunContext& ctx) {
    RunView& view = ctx.view;
    const ScanSwitches switches = ScanSwitches::From(ctx.options);

    ctx.state.EndRow();
    view.PhaseStarted(RunPhase::Scan);
    std::vector<RowId> rows = view.FolderRows();
    for (RowId row : rows) {
        view.SetFolderStatus(row, ItemStatus::None, {});
        view.SetFolderHeldBack(row, 0);
    }
    std::set<RowId> known(rows.begin(), rows.end());
    for (size_t next = 0; !ctx.state.StopRequested(); ++next) {
        if (next == rows.size()) {
            // Folders added while the scan ran are scanned in the same run.
            for (RowId row : view.FolderRows()) {
                if (known.insert(row).second) {
                    rows.push_back(row);
                }
            }
            if (next == rows.size()) {
                break;
            }
        }
        const RowId row = rows[next];
        const FolderItem* item = view.FolderRecord(row);
        if (item == nullptr) {
            continue;
        }
        if (ctx.state.Declined()) {
            view.SetFolderStatus(row, ItemStatus::Declined, {});
            continue;
        }
        view.SetFolderStatus(row, ItemStatus::InProgress, {});
        view.EnsureFolderVisible(row);
        ctx.state.BeginRow(row);
        int32_t found_count = 0;
        int32_t held_back_count = 0;
        view.SetFolderFoundCount(row, found_count);
        ScanError error;
        const ScanResult result = ScanFolder(ctx, item->path, ctx.options.filter, switches,
                                             found_count, held_back_count, &error);
        view.SetFolderHeldBack(row, held_back_count);
        ctx.state.EndRow();
        std::wstring reason;
        if (result == ScanResult::Failed) {
            reason = FailureReason(ctx.fs, error.code);
            if (error.path != item->path) {
                reason = error.path + L": " + reason;  // a folder inside could not be read
            }
        }
        view.SetFolderStatus(row, FolderOutcome(result), reason);
    }
    ctx.state.EndRow();
    view.PhaseEnded(RunPhase::Scan);
    return 0;
}

}  // namespace vantrel
