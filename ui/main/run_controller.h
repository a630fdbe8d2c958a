#pragma once

#include <windows.h>

#include <exception>
#include <string>

#include "config/cleaning_options.h"
#include "engine/run_options.h"
#include "engine/run_state.h"
#include "ui/main/file_list.h"
#include "ui/main/folder_list.h"
#include "ui/main/list_run_view.h"
#include "ui/main/run_host.h"
#include "win32/handles.h"
#include "win32/win32_file_system.h"

namespace vantrel {

enum RunKind : int { RunScan = 1, RunClean = 2, RunScanAndClean = 3 };

// End-of-run messages, posted by each worker procedure as its last action.
inline constexpr UINT UM_SCAN_FINISHED = 0x05B9;
inline constexpr UINT UM_CLEAN_FINISHED = 0x05BA;
inline constexpr UINT UM_SCAN_CLEAN_FINISHED = 0x05BB;

// The main window's runs: one worker thread at a time doing a Scan, a Clean or both, the
// busy and idle looks, stop and close requests, the row animation and the end of a run.
// Everything here runs on the window's thread except the worker procedures.
class CRunController {
  public:
    CRunController(HWND main, CFolderList& folders, CFileList& files, RunHost& host);
    ~CRunController();
    CRunController(const CRunController&) = delete;
    CRunController& operator=(const CRunController&) = delete;

    bool Busy() const { return static_cast<bool>(worker_); }
    RunState& State() { return state_; }
    CListRunView& View() { return view_; }

    // Starts a run unless one is in progress.
    void StartRun(RunKind kind);
    void RequestStop();
    // Stops a run in progress and waits for its worker to end, carrying out the worker's
    // last calls meanwhile; nothing while idle. The window calls it before its rows go.
    void StopAndWait();
    // While busy a close request stops the run and closes the window after it; true then.
    // False while idle: the caller closes the ordinary way.
    bool RequestClose();
    void OnRunFinished(UINT message);
    // 0 the idle look, 1 to 3 the busy look.
    void SetBusyState(int mode);
    void OnTimer(UINT_PTR timer_id);

    // The window's messages of a run: the three end-of-run messages, the worker's calls
    // and WM_TIMER (which then still gets its default processing: false).
    bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);

    // The thread procedures; the argument is the controller of the main window.
    static DWORD WINAPI ScanWorker(LPVOID controller);
    static DWORD WINAPI CleanWorker(LPVOID controller);
    static DWORD WINAPI ScanCleanWorker(LPVOID controller);

    // For tests: makes the next thread creation fail.
    void FailNextThreadCreation() { fail_next_thread_ = true; }

  private:
    DWORD RunPhases(RunKind kind);
    void WaitForWorker();
    // After a worker ended on an exception: the phase's timer and button text as after a
    // phase, and every row the run did not finish "Failed" with `reason`.
    void EndBrokenRun(RunKind kind, const std::wstring& reason);

    HWND main_;
    CFolderList& folders_;
    CFileList& files_;
    RunHost& host_;
    CListRunView view_;
    Win32FileSystem fs_;
    RunState state_;
    RunOptions run_options_;
    KernelHandle worker_;
    // What ended the last worker early; written by the worker before its end-of-run
    // message, read by the window after waiting for the thread.
    std::exception_ptr run_failure_;
    bool fail_next_thread_ = false;
};

}  // namespace vantrel
