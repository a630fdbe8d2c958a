#include "engine/scan.h"

#include <memory>
#include <set>
#include <vector>

#include "engine/all_pattern_warning.h"
#include "engine/failure_reason.h"
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

// One folder being walked. The walk keeps its own stack so that the depth of a tree
// (paths may be 32,767 characters long) never exhausts the worker's stack.
struct WalkFrame {
    std::wstring path;
    std::unique_ptr<FolderListing> listing;
    bool seen_entry = false;
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
                      const ScanSwitches& switches, int32_t& found_count, ScanError* error) {
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

    auto append = [&](const std::wstring& path, int64_t size, uint32_t attributes) {
        if (ctx.view.AddFileItem(path, size, attributes, folder.size()) != 0) {
            return false;
        }
        ++found_count;
        const int row = ctx.state.current_row.load(std::memory_order_relaxed);
        if (row >= 0) {
            ctx.view.SetFolderFoundCount(row, found_count);
        }
        return true;
    };
    auto enter = [&](std::wstring path) {
        std::unique_ptr<FolderListing> listing = ctx.fs.OpenListing(path);
        if (listing == nullptr) {
            // A subfolder that vanished since it was listed gives nothing; any other error
            // (access denied, a dropped share) is the scan's failure.
            const uint32_t code = ctx.fs.LastError();
            if (path == folder || !IsNotFoundError(code)) {
                fail(code, path);
            }
        }
        return WalkFrame{std::move(path), std::move(listing), false};
    };

    std::vector<WalkFrame> stack;
    stack.push_back(enter(folder));
    DirEntry entry;
    while (!stack.empty()) {
        WalkFrame& top = stack.back();
        if (top.listing != nullptr) {
            if (ctx.state.StopRequested()) {
                // The walk ends here; no folder still open is tested for emptiness.
                return result(ScanResult::Ok);
            }
            if (top.listing->Next(entry)) {
                if (IsDotEntry(entry.name, entry.attributes)) {
                    continue;
                }
                top.seen_entry = true;
                // The full path is built only for what is listed or entered.
                auto full_path = [&top, &entry] { return JoinPath(top.path, entry.name); };
                if ((entry.attributes & kAttributeDirectory) != 0) {
                    // Size 0 marks a matched folder; -1 is kept for empty ones.
                    if (switches.delete_folders && filter.Matches(entry.name.c_str()) &&
                        append(full_path(), 0, entry.attributes)) {
                        continue;  // listed whole: its content goes with it
                    }
                    // A folder link is never entered: its content is not inside this tree.
                    if (switches.scan_subfolders &&
                        (entry.attributes & kAttributeReparsePoint) == 0) {
                        stack.push_back(enter(full_path()));
                    }
                } else {
                    if (switches.delete_files && filter.Matches(entry.name.c_str()) &&
                        append(full_path(), entry.size, entry.attributes)) {
                        continue;
                    }
                    if (switches.delete_empty_files && entry.size == 0) {
                        append(full_path(), entry.size, entry.attributes);
                    }
                }
                continue;
            }
        }
        // The listing is finished. A folder counts as empty only when its listing was read to
        // its very end without an entry: one that could not be opened or failed part-way
        // may hold anything.
        if (top.listing != nullptr && top.listing->GetState() == FolderListing::State::Failed) {
            fail(top.listing->Error(), top.path);
        }
        const bool empty = top.listing != nullptr &&
                           top.listing->GetState() == FolderListing::State::Complete &&
                           !top.seen_entry;
        std::wstring path = std::move(top.path);
        stack.pop_back();
        if (switches.delete_empty_folders && empty) {
            // Only a real folder that still exists: not a vanished one, a file given as a
            // folder, or a link.
            const uint32_t attributes = ctx.fs.GetAttributes(path);
            if (attributes != kInvalidAttributes && (attributes & kAttributeDirectory) != 0 &&
                (attributes & kAttributeReparsePoint) == 0) {
                append(path, -1, attributes);
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
        view.SetFolderFoundCount(row, found_count);
        ScanError error;
        const ScanResult result =
            ScanFolder(ctx, item->path, ctx.options.filter, switches, found_count, &error);
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
