#pragma once

#include <windows.h>

#include <atomic>
#include <functional>
#include <vector>

#include "engine/run_view.h"
#include "ui/main/file_list.h"
#include "ui/main/folder_list.h"

namespace vantrel {

// A private message of the main window: lParam points to the work (a std::function<void()>)
// that the window's thread runs; what it throws is handed back to the worker. The worker uses it
// for what belongs to the window's thread (timers, button texts, the shown order of a list), a few
// times per phase, never per row.
inline constexpr UINT UM_RUN_ON_WINDOW_THREAD = WM_APP + 0x1B9;

// The main window's RunView. Rows are written straight into the lists' row stores (one short
// lock each, no window message); the window shows the changes on its refresh timer and at
// the end of each phase.
class CListRunView : public RunView {
  public:
    CListRunView(HWND main, CFolderList& folders, CFileList& files)
        : main_(main), folders_(folders), files_(files) {}

    // Runs the work that a UM_RUN_ON_WINDOW_THREAD message carries; throws nothing.
    static LRESULT RunCarried(LPARAM lparam);

    // The AutoRemoveDeleted setting as the worker reads it; set by the window.
    void SetAutoRemoveDeleted(bool on) { auto_remove_.store(on, std::memory_order_relaxed); }

    std::vector<RowId> FolderRows() override;
    const FolderItem* FolderRecord(RowId row) override;
    void PhaseStarted(RunPhase phase) override;
    void PhaseEnded(RunPhase phase) override;

    void SetFolderStatus(RowId row, ItemStatus status, const std::wstring& reason) override;
    void SetFolderFoundCount(RowId row, int32_t found_count) override;
    void SetFolderHeldBack(RowId row, int32_t held_back_count) override;
    void EnsureFolderVisible(RowId row) override;

    std::vector<RowId> FileRows() override;
    const FileItem* FileRecord(RowId row) override;
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes, size_t root_length,
                    uint64_t modified) override;
    void SetFileStatus(RowId row, ItemStatus status, const std::wstring& reason) override;
    void EnsureFileVisible(RowId row) override;
    void RemoveFileRow(RowId row) override;

    bool AutoRemoveDeleted() override;
    bool ConfirmAllPattern(const std::wstring& text) override;

  private:
    // Runs `work` on the window's thread; nothing happens once the window is gone.
    void OnWindowThread(const std::function<void()>& work);

    HWND main_;
    CFolderList& folders_;
    CFileList& files_;
    std::atomic<bool> auto_remove_{false};
};

}  // namespace vantrel
