#pragma once

#include <windows.h>
#include <commctrl.h>

#include <memory>
#include <span>
#include <string>

#include "config/app_settings.h"
#include "config/command_line.h"
#include "ui/controls/frame_dlg.h"
#include "ui/controls/separator_combo.h"
#include "ui/controls/sort_list_ctrl.h"
#include "ui/main/file_list.h"
#include "ui/main/folder_list.h"
#include "ui/main/run_controller.h"
#include "ui/main/run_host.h"
#include "ui/model/main_enabling_rules.h"
#include "ui/model/list_columns.h"
#include "ui/model/main_layout.h"
#include "ui/model/main_window_values.h"
#include "win32/handles.h"

namespace vantrel {

class CUiResources;
class RegistryProfile;

// The private message the window posts itself when the filter text or an option box
// changed; it re-selects the matching preset when it arrives.
inline constexpr UINT UM_OPTIONS_CHANGED = WM_USER + 1;
// The height of the preset combo's items, at 96 DPI.
inline constexpr int kPresetItemHeight = 20;

// Receiver of the application-wide commands (About, Check for Updates, Web Site, Email Us,
// Settings, the default help command) that the main window does not handle itself.
class AppCommandHandler {
  public:
    virtual ~AppCommandHandler() = default;
    // True when `id` is one of its commands (then it has been carried out).
    virtual bool OnAppCommand(HWND owner, int id) = 0;
    virtual bool HandlesAppCommand(int id) const = 0;
};

// The program's only top-level window (template 128). It takes its working values from the
// settings when constructed (then applies the command-line request, if any) and hands them
// back when destroyed. Close reads the controls back first; Cancel does not.
class CMainDlg : public CFrameDlg, private RunHost {
  public:
    CMainDlg(AppSettings& settings, CUiResources& resources, RegistryProfile& profile,
             const CommandLineRequest* request, AppCommandHandler* app_commands);
    ~CMainDlg() override;

    const MainWindowValues& Values() const { return values_; }
    CSortListCtrl& FolderList() { return folder_list_; }
    CSortListCtrl& FileList() { return file_list_; }
    CSeparatorComboBox& PresetCombo() { return preset_combo_; }
    HWND MenuToolbar() const { return menu_toolbar_; }
    HWND FolderToolbar() const { return folder_toolbar_; }
    HACCEL Accelerators() const { return accelerators_; }

    // A worker is running.
    bool IsBusy() const { return runs_ != nullptr && runs_->Busy(); }
    CFolderList& Folders() { return folders_; }
    CFileList& Files() { return files_; }
    // The run control; exists once the window is initialised.
    CRunController* Runs() { return runs_.get(); }
    // What the enabling rules are evaluated on.
    MainCommandContext CommandContext() const;

    // Adds an existing folder to the folder list unless it is listed already; the folder
    // becomes the settings' LastFolder. Returns the row, or -1.
    int AddFolder(const std::wstring& folder);

    // One layout pass over the current client size.
    void LayOut();

    // The DPI every pixel size of the window is made for.
    int Dpi() const { return dpi_; }
    // The window moves to a monitor with `dpi` (WM_DPICHANGED): controls, fonts, images
    // and column widths follow it, and the window takes the `suggested` rectangle.
    void OnDpiChanged(int dpi, const RECT& suggested);

    // The process exit code: how the last run ended when the command line started one
    // (RunExitCode), otherwise 0.
    int ExitCode() const { return exit_code_; }

    // The keyboard filter that runs before any message bound for this window or its
    // controls is dispatched; true when the message was consumed (public for tests).
    bool FilterKeyboard(MSG& message);
    // The line under the file list: what the rows sum up to now. Shown when a run ends and
    // when rows are taken out of the list (public for tests).
    void ShowRunSummary();

  protected:
    bool OnCreate() override;
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    void OnSize(UINT type, int width, int height) override;
    void OnDestroy() override;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    bool PreTranslateMessage(MSG& message) override;
    void OnIdle() override;
    void OnOK() override;
    void OnCancel() override;

    bool QueryCommandState(int id, CommandUiState& state) override;
    bool HandlesCommand(int id) const override;

  private:
    bool CreateMenuToolbar();
    bool CreateFolderToolbar();
    bool CreateImageLists();
    void SetUpToolTips();
    void SetUpLists();
    void SetListImages();
    void InsertColumns(CSortListCtrl& list, std::span<const ListColumn> columns);
    // This window, not the dialog manager, answers a change of DPI (main_dlg_dpi.cpp).
    void KeepDialogScalingOwn();
    void ScaleChildren(int from_dpi, int to_dpi);
    void ScaleFonts(int from_dpi, int to_dpi);
    void SetFonts();
    void StartFromRequest();

    // The filter edit and the seven option boxes.
    CleaningOptions ReadOptionControls() const;
    // Writes them without the change notifications re-selecting a preset.
    void WriteOptionControls(const CleaningOptions& options);
    void WriteControls();
    void ReadBackControls();

    void FillPresetCombo();
    int ComboSelection() const;
    void SelectComboItem(int index);
    void OnPresetSelected();
    void OnOptionsChanged();
    void OnPresetsCommand();
    void ApplyKeepOnTop();
    void UpdateCommandUi();
    LRESULT OnToolbarDropDown(const NMTOOLBARW& info);

    // The two lists and the runs (main_dlg_lists.cpp).
    void SetUpListOperations();
    bool OnListCommand(int id);
    bool OnListNotify(NMHDR& header, LRESULT& result);
    bool OnListMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    void OnAddFolderCommand();
    // Hands ShowFileSizes and AutoRemoveDeleted to the lists and the run, which the worker
    // reads them from.
    void SyncRunSettings();
    CleaningOptions ReadBackForRun() override;
    bool AutoCloseValue() const override;
    bool AutoRemoveDeletedValue() const override { return values_.AutoRemoveDeleted != 0; }
    bool ShowFileSizesValue() const override { return values_.ShowFileSizes != 0; }
    const CommandLineRequest* StartRequest() const override { return request_; }
    void EndWindow(INT_PTR result) override { EndModal(result); }
    // The end of a run (main_dlg_report.cpp): writes the -report file, sets the exit code.
    void RunEnded(const RunEnd& end) override;
    void RunEndFailed(const RunEnd& end) noexcept override;
    // A -c line none of whose folders exists: the run over no folder ends at once.
    void EndRunWithoutFolders();

    AppSettings& settings_;
    CUiResources& resources_;
    RegistryProfile& profile_;
    const CommandLineRequest* request_;  // not owned; nullptr without a request
    AppCommandHandler* app_commands_;

    MainWindowValues values_;
    bool writing_controls_ = false;  // our own writes do not count as the user's changes
    bool run_from_request_ = false;  // the command line started a run: runs set the exit code
    int exit_code_ = 0;

    int dpi_ = kDefaultDpi;
    FontHandle dialog_font_;         // the template's font, once a DPI change has remade it
    HACCEL accelerators_ = nullptr;  // from the resources: freed with the module
    HWND menu_toolbar_ = nullptr;
    HWND folder_toolbar_ = nullptr;
    ImageListHandle folder_toolbar_images_;
    ImageListHandle state_images_;
    ImageListHandle sort_arrows_;
    CSeparatorComboBox preset_combo_;
    CSortListCtrl folder_list_;
    CSortListCtrl file_list_;
    CFolderList folders_;
    CFileList files_;
    std::unique_ptr<CRunController> runs_;
};

}  // namespace vantrel
