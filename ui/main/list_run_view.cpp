#include "ui/main/list_run_view.h"

#include <exception>

#include "config/app_settings.h"
#include "ui/model/run_phase_look.h"

namespace vantrel {

namespace {

// What a UM_RUN_ON_WINDOW_THREAD message carries: the work, and what it threw, which goes
// back to the worker that asked for it.
struct CarriedWork {
    const std::function<void()>* work = nullptr;
    std::exception_ptr failure;
};

}  // namespace

LRESULT CListRunView::RunCarried(LPARAM lparam) {
    auto* carried = reinterpret_cast<CarriedWork*>(lparam);
    if (carried == nullptr) {
        return 0;
    }
    try {
        if (carried->work != nullptr && *carried->work) {
            (*carried->work)();
        }
    } catch (...) {
        carried->failure = std::current_exception();
    }
    return 0;
}

void CListRunView::OnWindowThread(const std::function<void()>& work) {
    if (GetWindowThreadProcessId(main_, nullptr) == GetCurrentThreadId()) {
        work();
        return;
    }
    CarriedWork carried;
    carried.work = &work;
    SendMessageW(main_, UM_RUN_ON_WINDOW_THREAD, 0, reinterpret_cast<LPARAM>(&carried));
    if (carried.failure) {
        // A run that went on after a failed step would work from rows it never got.
        std::rethrow_exception(carried.failure);
    }
}

std::vector<RowId> CListRunView::FolderRows() {
    std::vector<RowId> rows;
    OnWindowThread([&] {
        folders_.Refresh();
        rows = folders_.Rows().Order();
    });
    return rows;
}

const FolderItem* CListRunView::FolderRecord(RowId row) {
    return folders_.Rows().Find(row);
}

void CListRunView::PhaseStarted(RunPhase phase) {
    // Timers and controls belong to the window's thread.
    const PhaseLook& look = LookOf(phase);
    OnWindowThread([&] {
        SetDlgItemTextW(main_, look.button_id, look.busy_text);
        SetTimer(main_, static_cast<UINT_PTR>(look.timer_id), kRowTimerPeriodMs, nullptr);
    });
}

void CListRunView::PhaseEnded(RunPhase phase) {
    // Everything the phase changed is shown now.
    const PhaseLook& look = LookOf(phase);
    OnWindowThread([&] {
        KillTimer(main_, static_cast<UINT_PTR>(look.timer_id));
        folders_.Refresh();
        files_.Refresh();
        SetDlgItemTextW(main_, look.button_id, look.idle_text);
    });
}

void CListRunView::SetFolderStatus(RowId row, ItemStatus status, const std::wstring& reason) {
    // The text and the state image follow from the record when the row is drawn.
    folders_.Rows().Update(row, [status, &reason](CFolderList::Store::Row& shown) {
        shown.record.status = status;
        shown.record.reason = reason;
    });
}

void CListRunView::SetFolderFoundCount(RowId row, int32_t found_count) {
    folders_.Rows().Update(row, [found_count](CFolderList::Store::Row& shown) {
        shown.record.found_count = found_count;
    });
}

void CListRunView::SetFolderHeldBack(RowId row, int32_t held_back_count) {
    folders_.Rows().Update(row, [held_back_count](CFolderList::Store::Row& shown) {
        shown.record.held_back_count = held_back_count;
    });
}

void CListRunView::EnsureFolderVisible(RowId row) {
    folders_.Rows().Follow(row);
}

std::vector<RowId> CListRunView::FileRows() {
    std::vector<RowId> rows;
    OnWindowThread([&] {
        files_.Refresh();
        rows = files_.Rows().Order();
    });
    return rows;
}

const FileItem* CListRunView::FileRecord(RowId row) {
    return files_.Rows().Find(row);
}

int CListRunView::AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes,
                              size_t root_length, uint64_t modified) {
    return files_.AddFileItem(path, size, attributes, root_length, modified);
}

void CListRunView::SetFileStatus(RowId row, ItemStatus status, const std::wstring& reason) {
    files_.Rows().Update(row, [status, &reason](CFileList::Store::Row& shown) {
        shown.record.status = status;
        shown.record.reason = reason;
    });
}

void CListRunView::EnsureFileVisible(RowId row) {
    files_.Rows().Follow(row);
}

void CListRunView::RemoveFileRow(RowId row) {
    files_.Rows().Remove(row);
}

bool CListRunView::AutoRemoveDeleted() {
    return auto_remove_.load(std::memory_order_relaxed);
}

bool CListRunView::ConfirmAllPattern(const std::wstring& text) {
    // Shown by the worker with the main window as owner: the window takes no input meanwhile.
    return MessageBoxW(main_, text.c_str(), kApplicationTitle,
                       MB_YESNO | MB_ICONSTOP | MB_DEFBUTTON1) == IDYES;
}

}  // namespace vantrel
