#include "ui/list_run_view.h"

#include "config/app_settings.h"
#include "ui/list_view_rows.h"

namespace vantrel {

namespace {

void SetStatusCells(HWND list, int row, int status_column, int state_index,
                    const std::wstring& text) {
    SetRowStateIndex(list, row, state_index);
    SetRowText(list, row, status_column, text.c_str());
    SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
}

}  // namespace

LRESULT CListRunView::RunCarried(LPARAM lparam) {
    try {
        const auto* work = reinterpret_cast<const std::function<void()>*>(lparam);
        if (work != nullptr && *work) {
            (*work)();
        }
    } catch (...) {
    }
    return 0;
}

void CListRunView::OnWindowThread(const std::function<void()>& work) {
    if (GetWindowThreadProcessId(main_, nullptr) == GetCurrentThreadId()) {
        work();
        return;
    }
    SendMessageW(main_, UM_RUN_ON_WINDOW_THREAD, 0, reinterpret_cast<LPARAM>(&work));
}

int CListRunView::FolderRowCount() {
    int rows = 0;
    OnWindowThread([&] { rows = folders_.RowCount(); });
    return rows;
}

const FolderItem* CListRunView::FolderRecord(int row) {
    const FolderItem* record = nullptr;
    OnWindowThread([&] { record = folders_.Record(row); });
    return record;
}

void CListRunView::SetFolderStatus(int row, ItemStatus status, int state_index,
                                   const std::wstring& text) {
    OnWindowThread([&] {
        // The row owns its record; the engine sees it read-only.
        auto* record = const_cast<FolderItem*>(folders_.Record(row));
        if (record == nullptr) {
            return;
        }
        record->status = status;
        SetStatusCells(folders_.hwnd(), row, 1, state_index, text);
    });
}

void CListRunView::SetFolderFoundCount(int row, int32_t found_count, const wchar_t* text) {
    OnWindowThread([&] {
        auto* record = const_cast<FolderItem*>(folders_.Record(row));
        if (record == nullptr) {
            return;
        }
        record->found_count = found_count;
        if (text != nullptr) {
            SetRowText(folders_.hwnd(), row, 1, text);
        }
    });
}

void CListRunView::EnsureFolderVisible(int row) {
    OnWindowThread(
        [&] { SendMessageW(folders_.hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE); });
}

int CListRunView::FileRowCount() {
    int rows = 0;
    OnWindowThread([&] { rows = files_.RowCount(); });
    return rows;
}

const FileItem* CListRunView::FileRecord(int row) {
    const FileItem* record = nullptr;
    OnWindowThread([&] { record = files_.Record(row); });
    return record;
}

int CListRunView::AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes) {
    int result = -1;
    OnWindowThread(
        [&] { result = files_.AddFileItem(path, size, attributes, host_.ShowFileSizesValue()); });
    return result;
}

void CListRunView::SetFileStatus(int row, ItemStatus status, int state_index,
                                 const std::wstring& text) {
    OnWindowThread([&] {
        auto* record = const_cast<FileItem*>(files_.Record(row));
        if (record == nullptr) {
            return;
        }
        record->status = status;
        SetStatusCells(files_.hwnd(), row, 4, state_index, text);
    });
}

void CListRunView::EnsureFileVisible(int row) {
    OnWindowThread(
        [&] { SendMessageW(files_.hwnd(), LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE); });
}

void CListRunView::RemoveFileRow(int row) {
    OnWindowThread([&] {
        SendMessageW(files_.hwnd(), LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        files_.UpdateFileHeader();
    });
}

bool CListRunView::AutoRemoveDeleted() {
    bool value = false;
    OnWindowThread([&] { value = host_.AutoRemoveDeletedValue(); });
    return value;
}

bool CListRunView::ConfirmAllPattern(const std::wstring& text) {
    // Shown by the worker with the main window as owner: the window takes no input meanwhile.
    return MessageBoxW(main_, text.c_str(), kApplicationTitle,
                       MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON1) == IDYES;
}

void CListRunView::SetButtonText(int control_id, const wchar_t* text) {
    OnWindowThread([&] { SetDlgItemTextW(main_, control_id, text); });
}

void CListRunView::StartTimer(int timer_id, unsigned period_ms) {
    // A timer belongs to its window's thread.
    OnWindowThread([&] { SetTimer(main_, static_cast<UINT_PTR>(timer_id), period_ms, nullptr); });
}

void CListRunView::StopTimer(int timer_id) {
    OnWindowThread([&] { KillTimer(main_, static_cast<UINT_PTR>(timer_id)); });
}

}  // namespace vantrel
