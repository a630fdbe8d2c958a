#include "ui/main/run_controller.h"

#include "engine/clean.h"
#include "engine/scan.h"
#include "resources/resource.h"
#include "ui/model/list_rules.h"
#include "ui/model/main_layout.h"

namespace vantrel {

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
    run_options_ = host_.ReadBackForRun();
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

void CRunController::OnRunFinished(UINT message) {
    if (worker_) {
        WaitForWorker();
    }
    folders_.Refresh();
    files_.Refresh();
    const int stop = state_.stop_request.load(std::memory_order_relaxed);
    host_.RunEnded(RunEnd{stop != StopNone, state_.Declined()});
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
    const bool scan = timer_id == static_cast<UINT_PTR>(kScanTimerId);
    const bool clean = timer_id == static_cast<UINT_PTR>(kCleanTimerId);
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
