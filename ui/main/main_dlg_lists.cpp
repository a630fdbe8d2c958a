// The main window's two lists and its runs: the list commands, notifications and messages,
// and what a run needs of the window.

#include "ui/main/main_dlg.h"

#include <shellapi.h>
#include <shlobj.h>

#include "resources/resource.h"
#include "ui/controls/folder_picker.h"
#include "ui/controls/list_view_rows.h"
#include "ui/model/run_summary.h"

namespace vantrel {

void CMainDlg::SetUpListOperations() {
    folders_.Attach(folder_list_.hwnd(),
                    [this](const std::wstring& folder) { NoteFolderAdded(settings_, folder); });
    files_.Attach(file_list_.hwnd());
    files_.ReadNumberFormat();
    folder_list_.SetSorter([this](const SortState& sort) { folders_.Sort(sort); });
    file_list_.SetSorter([this](const SortState& sort) { files_.Sort(sort); });
    runs_ =
        std::make_unique<CRunController>(hwnd(), folders_, files_, static_cast<RunHost&>(*this));
    SyncRunSettings();
}

void CMainDlg::SyncRunSettings() {
    files_.SetShowSizes(values_.ShowFileSizes != 0);
    if (runs_ != nullptr) {
        runs_->View().SetAutoRemoveDeleted(values_.AutoRemoveDeleted != 0);
    }
}

CleaningOptions CMainDlg::ReadBackForRun() {
    ReadBackControls();
    return values_.Options;
}

bool CMainDlg::AutoCloseValue() const {
    return IsDlgButtonChecked(hwnd(), IDC_AUTO_CLOSE) == BST_CHECKED;
}

void CMainDlg::ShowRunSummary() {
    RunTotals totals;
    files_.Rows().ForEachRecord(
        [&totals](const CFileList::Store::Row& row) { totals.Count(row.record, !row.removed); });
    folders_.Rows().ForEachShown([&totals](RowId, const CFolderList::Store::Row& row) {
        totals.held_back += row.record.held_back_count;
    });
    const NumberFormatValues format = UserNumberFormat();
    const std::wstring text = RunSummaryText(
        totals, [&format](int64_t value) { return FormatNumberWith(value, format); });
    SetDlgItemTextW(hwnd(), IDC_RUN_SUMMARY, text.c_str());
}

void CMainDlg::OnAddFolderCommand() {
    CFolderPicker picker(hwnd(), L"Add folder", BIF_STATUSTEXT | BIF_NONEWFOLDERBUTTON,
                         settings_.LastFolder);
    if (picker.Run() == 1) {
        folders_.AddFolder(picker.Result());
    }
}

bool CMainDlg::OnListCommand(int id) {
    if (runs_ == nullptr) {
        return false;
    }
    switch (id) {
        case IDC_SCAN:
        case IDC_CLEAN:
        case IDC_SCAN_AND_CLEAN:
            runs_->StartRun(id == IDC_SCAN    ? RunScan
                            : id == IDC_CLEAN ? RunClean
                                              : RunScanAndClean);
            if (runs_->Busy()) {
                SetDlgItemTextW(hwnd(), IDC_RUN_SUMMARY, L"");  // until the run has ended
            }
            return true;
        case IDC_STOP:
            runs_->RequestStop();
            return true;
        case ID_FOLDER_ADD:
            OnAddFolderCommand();
            return true;
        case ID_FOLDER_REMOVE:
            folders_.RemoveSelected();
            return true;
        case ID_FOLDER_REMOVE_ALL:
            folders_.RemoveAll();
            return true;
        case ID_FOLDER_SELECT_ALL:
            folder_list_.SelectAll(true);
            return true;
        case ID_FOLDER_OPEN:
            folders_.OpenFirstSelected();
            return true;
        case ID_FILE_REMOVE:
            files_.RemoveSelected();
            ShowRunSummary();
            return true;
        case ID_FILE_REMOVE_ALL:
            files_.RemoveAll();
            ShowRunSummary();
            return true;
        case ID_FILE_SELECT_ALL:
            file_list_.SelectAll(true);
            return true;
        case ID_FILE_OPEN_ITEM:
            files_.OpenFirstSelected();
            return true;
        case ID_FILE_OPEN_FOLDER:
            files_.OpenFirstSelectedFolder();
            return true;
        default:
            return false;
    }
}

bool CMainDlg::OnListNotify(NMHDR& header, LRESULT& result) {
    if (header.hwndFrom == folders_.hwnd() && header.code == NM_DBLCLK) {
        PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(folders_.DoubleClickCommand(), 0), 0);
        result = 0;
        return true;
    }
    if (header.hwndFrom == files_.hwnd() && header.code == NM_DBLCLK) {
        if (const int command = files_.DoubleClickCommand(); command != 0) {
            PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        }
        result = 0;
        return true;
    }
    if (header.code == LVN_GETDISPINFOW) {
        auto& info = reinterpret_cast<NMLVDISPINFOW&>(header);
        if (header.hwndFrom == files_.hwnd()) {
            files_.OnGetDispInfo(info);
        } else if (header.hwndFrom == folders_.hwnd()) {
            folders_.OnGetDispInfo(info);
        } else {
            return false;
        }
        result = 0;
        return true;
    }
    if (header.hwndFrom == files_.hwnd() && header.code == LVN_GETINFOTIPW) {
        files_.OnGetInfoTip(reinterpret_cast<NMLVGETINFOTIPW&>(header));
        result = 0;
        return true;
    }
    if (header.code == LVN_ODFINDITEMW) {
        const auto& find = reinterpret_cast<const NMLVFINDITEMW&>(header);
        if (header.hwndFrom == files_.hwnd()) {
            result = FindRowByText(files_.Rows(), find,
                                   [](const FileItem& item) { return PathNamePart(item.path); });
            return true;
        }
        if (header.hwndFrom == folders_.hwnd()) {
            result = FindRowByText(folders_.Rows(), find,
                                   [](const FolderItem& item) { return item.path; });
            return true;
        }
        return false;
    }
    if (header.hwndFrom == files_.hwnd() && header.code == NM_CUSTOMDRAW) {
        result = files_.OnCustomDraw(reinterpret_cast<NMLVCUSTOMDRAW&>(header));
        return true;
    }
    return false;
}

bool CMainDlg::OnListMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (runs_ != nullptr && runs_->HandleMessage(message, wparam, lparam, result)) {
        return true;
    }
    switch (message) {
        case WM_DROPFILES: {
            SetForegroundWindow(hwnd());
            SetActiveWindow(hwnd());
            auto drop = reinterpret_cast<HDROP>(wparam);
            folders_.AddDropped(drop);
            DragFinish(drop);
            result = 0;
            return true;
        }
        case WM_CONTEXTMENU: {
            const auto window = reinterpret_cast<HWND>(wparam);
            if (window == folders_.hwnd()) {
                folders_.ShowContextMenu(hwnd(), lparam);
                return true;
            }
            if (window == files_.hwnd()) {
                files_.ShowContextMenu(hwnd(), lparam);
                return true;
            }
            return false;
        }
        default:
            return false;
    }
}

}  // namespace vantrel
