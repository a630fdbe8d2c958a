#include "ui/command_line_start.h"

#include <shlwapi.h>

#include "resources/resource.h"

namespace vantrel {

RequestStartPlan StartFromCommandLine(HWND main, CFolderList& folders,
                                      const CommandLineRequest& request) {
    RequestStartPlan plan = PlanRequestStart(request, [](const std::wstring& folder) {
        return PathFileExistsW(folder.c_str()) && PathIsDirectoryW(folder.c_str());
    });
    if (plan.LockAutoClose) {
        CheckDlgButton(main, IDC_AUTO_CLOSE, BST_CHECKED);
        EnableWindow(GetDlgItem(main, IDC_AUTO_CLOSE), FALSE);
    }
    for (const std::wstring& folder : plan.FoldersToAdd) {
        folders.AddFolder(folder);
    }
    if (plan.BringToTop) {
        BringWindowToTop(main);
    }
    if (plan.Command == StartCommand::Scan) {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_SCAN, BN_CLICKED), 0);
    } else if (plan.Command == StartCommand::ScanAndClean) {
        PostMessageW(main, WM_COMMAND, MAKEWPARAM(IDC_SCAN_AND_CLEAN, BN_CLICKED), 0);
    }
    return plan;
}

}  // namespace vantrel
