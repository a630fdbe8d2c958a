#include "engine/folder_total.h"

#include <memory>
#include <vector>

#include "engine/items.h"
#include "engine/path.h"

namespace vantrel {

FolderTotal TotalFolder(FileSystem& fs, const RunState& state, const std::wstring& path,
                        uint64_t own_time, const KeepRule& keep) {
    FolderTotal total;
    auto note_time = [&total](uint64_t time) {
        if (time == 0) {
            total.unknown_time = true;
        } else if (time > total.newest) {
            total.newest = time;
        }
    };
    note_time(own_time);
    // Its own stack, so that no depth of tree exhausts the worker's stack.
    std::vector<std::wstring> pending{path};
    DirEntry entry;
    while (!pending.empty()) {
        const std::wstring folder = std::move(pending.back());
        pending.pop_back();
        std::unique_ptr<FolderListing> listing = fs.OpenListing(folder);
        if (listing == nullptr) {
            const uint32_t code = fs.LastError();
            if (folder != path && IsNotFoundError(code)) {
                continue;
            }
            total.error = code;
            total.error_path = folder;
            return total;
        }
        while (listing->Next(entry)) {
            if (state.StopRequested()) {
                total.stopped = true;
                return total;
            }
            if (IsDotEntry(entry.name, entry.attributes)) {
                continue;
            }
            if (keep.Keeps(entry.name)) {
                total.holds_kept = true;
                return total;
            }
            note_time(entry.last_write);
            if ((entry.attributes & kAttributeDirectory) == 0) {
                total.size += entry.size;
            } else if ((entry.attributes & kAttributeReparsePoint) == 0) {
                pending.push_back(JoinPath(folder, entry.name));
            }
        }
        if (listing->GetState() == FolderListing::State::Failed) {
            total.error = listing->Error();
            total.error_path = folder;
            return total;
        }
    }
    return total;
}

}  // namespace vantrel
