// The main window's answer to a command line that started a run: the -report file and the
// process exit code, both decided when a run ends.

#include "engine/run_report.h"
#include "ui/main/main_dlg.h"
#include "ui/main/run_rows.h"
#include "win32/whole_file_writer.h"

namespace vantrel {

void CMainDlg::RunEnded(const RunEnd& end) {
    ShowRunSummary();
    if (request_ == nullptr || (request_->report_path.empty() && !run_from_request_)) {
        return;
    }
    const RunRows rows = GatherRunRows(folders_, files_);
    bool report_written = true;
    if (!request_->report_path.empty()) {
        // A report that cannot be written changes nothing of the run, only its exit code.
        report_written = WriteWholeFile(request_->report_path, ReportCsv(rows.files));
    }
    if (run_from_request_) {
        exit_code_ = RunExitCodeFor(end, rows, report_written);
    }
}

void CMainDlg::RunEndFailed(const RunEnd& end) noexcept {
    if (run_from_request_) {
        exit_code_ = end.stopped || end.declined ? ExitStopped : ExitFailed;
    }
}

void CMainDlg::EndRunWithoutFolders() {
    try {
        RunEnded(RunEnd{});
    } catch (...) {
        RunEndFailed(RunEnd{});
    }
    // As after any run the command line started: automatic closing is locked on.
    PostMessageW(hwnd(), WM_CLOSE, 0, 0);
}

}  // namespace vantrel
