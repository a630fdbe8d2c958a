#pragma once

#include <windows.h>

#include <functional>

#include "engine/run_view.h"
#include "ui/file_list.h"
#include "ui/folder_list.h"
#include "ui/run_host.h"

namespace vantrel {

// A private message of the main window: lParam points to a std::function<void()> that the
// window's thread runs. The worker's every use of the lists goes through it, so the lists and
// their records are only ever touched on the window's thread.
inline constexpr UINT UM_RUN_ON_WINDOW_THREAD = WM_APP + 0x1B9;

// The main window's RunView: each call is carried out on the window's thread through one
// synchronous message (directly when already on that thread).
class CListRunView : public RunView {
  public:
    CListRunView(HWND main, CFolderList& folders, CFileList& files, RunHost& host)
        : main_(main), folders_(folders), files_(files), host_(host) {}

    // Runs the function that a UM_RUN_ON_WINDOW_THREAD message carries.
    static LRESULT RunCarried(LPARAM lparam);

    int FolderRowCount() override;
    const FolderItem* FolderRecord(int row) override;
    void SetFolderStatus(int row, ItemStatus status, int state_index,
                         const std::wstring& text) override;
    void SetFolderFoundCount(int row, int32_t found_count, const wchar_t* text) override;
    void EnsureFolderVisible(int row) override;

    int FileRowCount() override;
    const FileItem* FileRecord(int row) override;
    int AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes) override;
    void SetFileStatus(int row, ItemStatus status, int state_index,
                       const std::wstring& text) override;
    void EnsureFileVisible(int row) override;
    void RemoveFileRow(int row) override;

    bool AutoRemoveDeleted() override;
    bool ConfirmAllPattern(const std::wstring& text) override;
    void SetButtonText(int control_id, const wchar_t* text) override;
    void StartTimer(int timer_id, unsigned period_ms) override;
    void StopTimer(int timer_id) override;

  private:
    // Runs `work` on the window's thread; nothing happens once the window is gone.
    void OnWindowThread(const std::function<void()>& work);

    HWND main_;
    CFolderList& folders_;
    CFileList& files_;
    RunHost& host_;
};

}  // namespace vantrel
