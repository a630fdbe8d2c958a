#pragma once

// A RunView that counts what a scan lists and, when asked, keeps the rows' records as
// the main window does; nothing is shown.

#include <deque>
#include <string>
#include <vector>

#include "engine/run_view.h"

namespace vantrel::bench {

// Counts what the scan lists; optionally keeps the records as the window's rows do.
class CountingRunView : public RunView {
  public:
    explicit CountingRunView(bool keep) : keep_(keep) {}
    int found = 0;
    std::deque<FolderItem> folders;
    std::deque<FileItem> files;

    // A row's id is its place in walk order; removed rows keep their place.
    std::vector<RowId> FolderRows() override { return Ids(folders.size()); }
    const FolderItem* FolderRecord(RowId row) override { return &folders[row]; }
    void PhaseStarted(RunPhase) override {}
    void PhaseEnded(RunPhase) override {}
    void SetFolderStatus(RowId row, ItemStatus status, const std::wstring&) override {
        folders[row].status = status;
    }
    void SetFolderFoundCount(RowId row, int32_t count) override {
        folders[row].found_count = count;
    }
    void SetFolderHeldBack(RowId row, int32_t count) override {
        folders[row].held_back_count = count;
    }
    void EnsureFolderVisible(RowId) override {}
    std::vector<RowId> FileRows() override { return Ids(files.size()); }
    const FileItem* FileRecord(RowId row) override { return &files[row]; }
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes, size_t root_length,
                    uint64_t modified) override {
        ++found;
        if (keep_) {
            files.push_back(FileItem{path, size, attributes, ItemStatus::None});
            files.back().root_length = root_length;
            files.back().modified = modified;
        }
        return 0;
    }
    void SetFileStatus(RowId row, ItemStatus status, const std::wstring&) override {
        files[row].status = status;
    }
    void EnsureFileVisible(RowId) override {}
    void RemoveFileRow(RowId) override {}
    bool AutoRemoveDeleted() override { return false; }
    bool ConfirmAllPattern(const std::wstring&) override { return true; }

  private:
    static std::vector<RowId> Ids(size_t count) {
        std::vector<RowId> ids(count);
        for (size_t i = 0; i < count; ++i) {
            ids[i] = static_cast<RowId>(i);
        }
        return ids;
    }

    bool keep_;
};

}  // namespace vantrel::bench
