#include "ui/main/run_controller.h"

#include <cwchar>
#include <new>
#include <utility>

#include "engine/clean.h"
#include "engine/scan.h"
#include "resources/resource.h"
#include "ui/model/list_rules.h"
#include "ui/model/main_layout.h"
#include "ui/model/run_phase_look.h"

namespace vantrel {

namespace {

RunKind KindOfFinishedMessage(UINT message) {
    return message == UM_SCAN_FINISHED    ? RunScan
           : message == UM_CLEAN_FINISHED ? RunClean
                                          : RunScanAndClean;
}

// Words for what ended a run early. Throws nothing: without memory for more, the text is
// the fixed one of an allocation failure.
std::wstring RunFailureReason(const std::exception_ptr& failure) noexcept {
    try {
        std::rethrow_exception(failure);
    } catch (const std::bad_alloc&) {
    } catch (const std::exception& error) {
        try {
            const int length = MultiByteToWideChar(CP_ACP, 0, error.what(), -1, nullptr, 0);
            std::wstring what(static_cast<size_t>(length > 0 ? length : 1), L'\0');
            MultiByteToWideChar(CP_ACP, 0, error.what(), -1, what.data(), length);
            what.resize(wcslen(what.c_str()));
            return L"The run ended early: " + (what.empty() ? L"unexpected error" : what);
        } catch (...) {
        }
    } catch (...) {
        try {
            return L"The run ended early: unexpected error";
        } catch (...) {
        }
    }
    try {
        return L"Out of memory";
    } catch (...) {
        return std::wstring();
    }
}

}  // namespace

CRunController::CRunController(HWND main, CFolderList& folders, CFileList& files, RunHost& host)
    : main_(main),
      folders_(folders),
      files_(files),
      host_(host),
      view_(main, folders, files),
      fs_(main) {}

CRunController::~CRunController() {
    StopAndWait();
}

void CRunController::StopAndWait() {
    if (worker_) {
        // Only when the window goes while a run is still on: stop it and let its last
        // messages through before the lists and their records go.
        state_.stop_request.store(StopAndClose, std::memory_order_relaxed);
        WaitForWorker();
    }
}

void CRunController::WaitForWorker() {
    // The worker may be inside a message sent to this thread: keep carrying those out.
    for (;;) {
        HANDLE handle = worker_.get();
        const DWORD wait = MsgWaitForMultipleObjects(1, &handle, FALSE, INFINITE, QS_SENDMESSAGE);
        if (wait != WAIT_OBJECT_0 + 1) {
            break;
        }
        MSG message;
        PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
    }
    worker_.reset();
}

void CRunController::StartRun(RunKind kind) {
    if (worker_) {
        return;  // one run at a time
    }
    run_options_ = host_.ReadBackForRun().ForRun();
    SetBusyState(kind);
    if (kind == RunScan || kind == RunScanAndClean) {
        files_.RemoveAll();
    }
    state_.ResetForRun();
    view_.SetAutoRemoveDeleted(host_.AutoRemoveDeletedValue());
    files_.SetShowSizes(host_.ShowFileSizesValue());
    files_.ReadNumberFormat();
    folders_.SetAnimated(kNoRow, 0);
    files_.SetAnimated(kNoRow, 0);

    LPTHREAD_START_ROUTINE procedure = kind == RunScan    ? &CRunController::ScanWorker
                                       : kind == RunClean ? &CRunController::CleanWorker
                                                          : &CRunController::ScanCleanWorker;
    HANDLE thread = nullptr;
    if (!fail_next_thread_) {
        thread = CreateThread(nullptr, 0, procedure, this, CREATE_SUSPENDED, nullptr);
    }
    fail_next_thread_ = false;
    if (thread == nullptr) {
        // No run takes place: back to the idle look at once.
        SetBusyState(0);
        return;
    }
    worker_.reset(thread);
    ResumeThread(thread);
}

DWORD CRunController::RunPhases(RunKind kind) {
    DWORD result = 0;
    try {
        RunContext ctx{view_, fs_, state_, run_options_};
        if (kind == RunScan) {
            result = static_cast<DWORD>(ScanAllFolders(ctx));
        } else if (kind == RunClean) {
            result = static_cast<DWORD>(CleanAllItems(ctx));
        } else {
            result = static_cast<DWORD>(ScanAndCleanPhases(ctx));
        }
    } catch (...) {
        // Nothing crosses the thread's end: the window ends the run as a failed one.
        run_failure_ = std::current_exception();
        result = static_cast<DWORD>(-1);
    }
    const UINT message = kind == RunScan    ? UM_SCAN_FINISHED
                         : kind == RunClean ? UM_CLEAN_FINISHED
                                            : UM_SCAN_CLEAN_FINISHED;
    PostMessageW(main_, message, 0, 0);
    return result;
}

DWORD WINAPI CRunController::ScanWorker(LPVOID controller) {
    return static_cast<CRunController*>(controller)->RunPhases(RunScan);
}

DWORD WINAPI CRunController::CleanWorker(LPVOID controller) {
    return static_cast<CRunController*>(controller)->RunPhases(RunClean);
}

DWORD WINAPI CRunController::ScanCleanWorker(LPVOID controller) {
    return static_cast<CRunController*>(controller)->RunPhases(RunScanAndClean);
}

void CRunController::RequestStop() {
    state_.stop_request.store(StopRun, std::memory_order_relaxed);
}

bool CRunController::RequestClose() {
    if (!worker_) {
        return false;
    }
    state_.stop_request.store(StopAndClose, std::memory_order_relaxed);
    return true;
}

void CRunController::EndBrokenRun(RunKind kind, const std::wstring& reason) {
    // The phase never reached its own end: its timer and button text go back here.
    for (const PhaseLook* look : {&kScanLook, &kCleanLook}) {
        KillTimer(main_, static_cast<UINT_PTR>(look->timer_id));
        SetDlgItemTextW(main_, look->button_id, look->idle_text);
    }
    state_.EndRow();
    folders_.SetAnimated(kNoRow, 0);
    files_.SetAnimated(kNoRow, 0);
    auto unfinished = [](ItemStatus status) {
        return status == ItemStatus::None || status == ItemStatus::InProgress;
    };
    if (kind != RunClean) {
        // Folders the scan did not finish.
        for (RowId row : folders_.Rows().Order()) {
            folders_.Rows().Update(row, [&](CFolderList::Store::Row& shown) {
                if (unfinished(shown.record.status)) {
                    shown.record.status = ItemStatus::Failed;
                }
            });
        }
    }
    if (kind != RunScan) {
        // Items the clean did not reach; the rows a scan alone lists are its result.
        for (RowId row : files_.Rows().Order()) {
            files_.Rows().Update(row, [&](CFileList::Store::Row& shown) {
                if (unfinished(shown.record.status)) {
                    shown.record.status = ItemStatus::Failed;
                    shown.record.reason = reason;
                }
            });
        }
    }
}

void CRunController::OnRunFinished(UINT message) {
    if (worker_) {
        WaitForWorker();
    }
    const int stop = state_.stop_request.load(std::memory_order_relaxed);
    RunEnd end{stop != StopNone, state_.Declined(), run_failure_ != nullptr};
    try {
        if (run_failure_) {
            const std::exception_ptr failure = std::move(run_failure_);
            run_failure_ = nullptr;
            EndBrokenRun(KindOfFinishedMessage(message), RunFailureReason(failure));
        }
        folders_.Refresh();
        files_.Refresh();
        host_.RunEnded(end);
    } catch (...) {
        // The run's end itself failed (no memory for the report): it still ends, failed.
        end.broken = true;
        host_.RunEndFailed(end);
    }
    if (stop == StopAndClose) {
        host_.EndWindow(IDOK);
    }
    SetBusyState(0);
    if (stop != StopNone) {
        return;
    }
    const bool cleaned = message == UM_CLEAN_FINISHED || message == UM_SCAN_CLEAN_FINISHED;
    // The box as it is now: unticking it during a clean keeps the window open.
    if (ClosesWindowAfterRun(cleaned, false, host_.AutoCloseValue() ? 1 : 0,
                             host_.StartRequest())) {
        PostMessageW(main_, WM_CLOSE, 0, 0);
    }
}

void CRunController::SetBusyState(int mode) {
    const bool busy = mode != 0;
    ShowWindow(GetDlgItem(main_, kCloseButtonId), busy ? SW_HIDE : SW_SHOW);
    ShowWindow(GetDlgItem(main_, IDC_STOP), busy ? SW_SHOW : SW_HIDE);
    for (int id : kRunLockedControls) {
        EnableWindow(GetDlgItem(main_, id), busy ? FALSE : TRUE);
    }
    HWND focus = GetDlgItem(main_, busy ? IDC_STOP : IDC_SCAN);
    SetFocus(focus);
    SendMessageW(main_, WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(focus), TRUE);
}

void CRunController::OnTimer(UINT_PTR timer_id) {
    const bool scan = timer_id == static_cast<UINT_PTR>(kScanLook.timer_id);
    const bool clean = timer_id == static_cast<UINT_PTR>(kCleanLook.timer_id);
    if (!scan && !clean) {
        return;
    }
    // The lists show what the worker changed since the last tick.
    folders_.Refresh();
    files_.Refresh(false);
    const int row = state_.current_row.load(std::memory_order_relaxed);
    if (row == -1) {
        return;
    }
    const int frame = NextAnimationFrame(state_.animation_frame.load(std::memory_order_relaxed));
    state_.animation_frame.store(frame, std::memory_order_relaxed);
    if (scan) {
        folders_.SetAnimated(row, frame);
    } else {
        files_.SetAnimated(row, frame);
    }
}

bool CRunController::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
        case UM_RUN_ON_WINDOW_THREAD:
            result = CListRunView::RunCarried(lparam);
            return true;
        case UM_SCAN_FINISHED:
        case UM_CLEAN_FINISHED:
        case UM_SCAN_CLEAN_FINISHED:
            OnRunFinished(message);
            result = 0;
            return true;
        case WM_TIMER:
            OnTimer(static_cast<UINT_PTR>(wparam));
            return false;  // default processing as well
        default:
            return false;
    }
}

}  // namespace vantrel
