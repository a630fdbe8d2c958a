#pragma once

// A RunView that counts what a scan lists and, when asked, keeps the rows' records as
// the main window does; nothing is shown.

#include <deque>
#include <string>

#include "engine/run_view.h"

namespace vantrel::bench {

// Counts what the scan lists; optionally keeps the records as the window's rows do.
class CountingRunView : public RunView {
  public:
    explicit CountingRunView(bool keep) : keep_(keep) {}
    int found = 0;
    std::deque<FolderItem> folders;
    std::deque<FileItem> files;

    int FolderRowCount() override { return static_cast<int>(folders.size()); }
    const FolderItem* FolderRecord(int row) override { return &folders[row]; }
    void SetFolderStatus(int row, ItemStatus status, int, const std::wstring&) override {
        folders[row].status = status;
    }
    void SetFolderFoundCount(int row, int32_t count, const wchar_t*) override {
        folders[row].found_count = count;
    }
    void EnsureFolderVisible(int) override {}
    int FileRowCount() override { return static_cast<int>(files.size()); }
    const FileItem* FileRecord(int row) override { return &files[row]; }
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes) override {
        ++found;
        if (keep_) {
            files.push_back(FileItem{path, size, attributes, ItemStatus::None});
        }
        return 0;
    }
    void SetFileStatus(int row, ItemStatus status, int, const std::wstring&) override {
        files[row].status = status;
    }
    void EnsureFileVisible(int) override {}
    void RemoveFileRow(int row) override { files.erase(files.begin() + row); }
    bool AutoRemoveDeleted() override { return false; }
    bool ConfirmAllPattern(const std::wstring&) override { return true; }
    void SetButtonText(int, const wchar_t*) override {}
    void StartTimer(int, unsigned) override {}
    void StopTimer(int) override {}

  private:
    bool keep_;
};

}  // namespace vantrel::bench
