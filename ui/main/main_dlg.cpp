#include "ui/main/main_dlg.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <vector>

#include "config/registry_profile.h"
#include "engine/text_rules.h"
#include "resources/resource.h"
#include "ui/controls/display_helpers.h"
#include "ui/controls/toolbar_resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/controls/window_text.h"
#include "ui/dialogs/presets_dlg.h"
#include "ui/model/dpi_scaling.h"
#include "ui/model/list_columns.h"
#include "ui/model/preset_selection.h"
#include "win32/absolute_path.h"
#include "win32/dpi.h"
#include "win32/scaled_bitmap.h"

namespace vantrel {
namespace {

constexpr COLORREF kMaskColour = RGB(255, 0, 255);
constexpr DWORD kListExtendedStyle =
    LVS_EX_FULLROWSELECT | LVS_EX_HEADERDRAGDROP | LVS_EX_INFOTIP;  // 0x430
constexpr int kLayoutBatchSize = 30;
constexpr int kOlderThanDaysDigits = 6;  // kMaxOlderThanDays

// The seven option boxes with the switch each one shows.
struct OptionBox {
    int id;
    int32_t CleaningOptions::*field;
};
constexpr OptionBox kOptionBoxes[] = {
    {IDC_SCAN_SUBFOLDERS, &CleaningOptions::ScanSubfolders},
    {IDC_DELETE_FILES, &CleaningOptions::DeleteFiles},
    {IDC_DELETE_FOLDERS, &CleaningOptions::DeleteFolders},
    {IDC_DELETE_EMPTY_FILES, &CleaningOptions::DeleteEmptyFiles},
    {IDC_DELETE_EMPTY_FOLDERS, &CleaningOptions::DeleteEmptyFolders},
    {IDC_DELETE_READONLYS, &CleaningOptions::DeleteReadOnlys},
    {IDC_RECYCLE_FILES, &CleaningOptions::RecycleFiles},
};

bool IsOptionBox(int id) {
    for (const OptionBox& box : kOptionBoxes) {
        if (box.id == id) {
            return true;
        }
    }
    return false;
}

// The window's controls that take part in the layout pass.
constexpr int kLayoutControls[] = {
    IDC_FOLDERS_LABEL,
    IDC_FOLDER_LIST,
    IDC_PRESET_LABEL,
    IDC_PRESET_COMBO,
    IDC_OPTIONS_GROUP,
    IDC_FILTER_LABEL,
    IDC_FILTER_EDIT,
    IDC_KEEP_LABEL,
    IDC_KEEP_EDIT,
    IDC_OLDER_LABEL,
    IDC_OLDER_EDIT,
    IDC_OLDER_UNIT,
    IDC_DELETE_FILES,
    IDC_DELETE_FOLDERS,
    IDC_DELETE_EMPTY_FILES,
    IDC_DELETE_EMPTY_FOLDERS,
    IDC_SCAN_SUBFOLDERS,
    IDC_DELETE_READONLYS,
    IDC_RECYCLE_FILES,
    IDC_FILE_LIST,
    IDC_RUN_SUMMARY,
    IDC_AUTO_CLOSE,
    IDC_ALWAYS_ON_TOP,
    IDC_SCAN,
    IDC_CLEAN,
    IDC_SCAN_AND_CLEAN,
    IDC_STOP,
    kCloseButtonId,
};

LayoutRect ChildRect(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return {rect.left, rect.top, rect.right, rect.bottom};
}

// A toolbar's size: the sum of its buttons' widths and the height of its last button.
LayoutSize MeasureToolbar(HWND toolbar) {
    LayoutSize size;
    const int count = static_cast<int>(SendMessageW(toolbar, TB_BUTTONCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        RECT rect{};
        if (SendMessageW(toolbar, TB_GETITEMRECT, static_cast<WPARAM>(i),
                         reinterpret_cast<LPARAM>(&rect))) {
            size.width += rect.right - rect.left;
            size.height = rect.bottom - rect.top;
        }
    }
    return size;
}

// Both toolbars are measured on the process's first layout pass at a DPI; later passes at
// that DPI reuse it.
struct ToolbarSizes {
    int dpi = 0;  // 0: not measured yet
    LayoutSize menu;
    LayoutSize folder;
};
ToolbarSizes& MeasuredToolbars() {
    static ToolbarSizes sizes;
    return sizes;
}

bool IsChecked(HWND box) {
    return SendMessageW(box, BM_GETCHECK, 0, 0) == BST_CHECKED;
}
void SetChecked(HWND box, bool checked) {
    SendMessageW(box, BM_SETCHECK, checked ? BST_CHECKED : BST_UNCHECKED, 0);
}

// An image list of `count` images of width x height pixels at 96 DPI, at `dpi`. Scaled
// images carry shades between the colours of the drawing: they need at least 24 bits.
ImageListHandle ImageListFromBitmap(HINSTANCE instance, int bitmap_id, int width, int height,
                                    UINT colour_flag, int count, int dpi) {
    const int scaled_width = ScaleForDpi(width, dpi);
    const int scaled_height = ScaleForDpi(height, dpi);
    if ((scaled_width != width || scaled_height != height) && colour_flag != ILC_COLOR32) {
        colour_flag = ILC_COLOR24;
    }
    ImageListHandle list(
        ImageList_Create(scaled_width, scaled_height, colour_flag | ILC_MASK, count, 0));
    if (!list) {
        return {};
    }
    BitmapHandle bitmap(LoadBitmapScaled(instance, bitmap_id, count, scaled_width, scaled_height));
    if (!bitmap || ImageList_AddMasked(list.get(), bitmap.get(), kMaskColour) < 0) {
        return {};
    }
    return list;
}

bool CtrlHeld() {
    return (GetKeyState(VK_CONTROL) & 0x8000) != 0;
}

}  // namespace

CMainDlg::CMainDlg(AppSettings& settings, CUiResources& resources, RegistryProfile& profile,
                   const CommandLineRequest* request, AppCommandHandler* app_commands)
    : CFrameDlg(IDD_MAIN),
      settings_(settings),
      resources_(resources),
      profile_(profile),
      request_(request),
      app_commands_(app_commands),
      values_(TakeWindowValues(settings)) {
    if (request_ != nullptr) {
        ApplyRequestToWindowValues(*request_, settings_.CustomIndex, values_);
    }
}

CMainDlg::~CMainDlg() {
    // Destroyed while this part still handles messages, so the rows release their records.
    Destroy();
    ReturnWindowValues(values_, request_ != nullptr, settings_);
}

// ---------------------------------------------------------------------------------------
// Creation and initialisation

bool CMainDlg::OnCreate() {
    if (!CFrameDlg::OnCreate()) {
        return false;
    }
    dpi_ = WindowDpi(hwnd());
    KeepDialogScalingOwn();
    return CreateMenuToolbar() && CreateFolderToolbar() && CreateImageLists();
}

bool CMainDlg::CreateMenuToolbar() {
    static const wchar_t* const kTexts[] = {L"Options", L"Help"};
    // Text-only buttons: an image room of 1 x 1 pixel.
    menu_toolbar_ =
        CreateToolbarFromResource(hwnd(), IDC_MENU_TOOLBAR, IDR_MENU_TOOLBAR, SIZE{1, 1}, nullptr,
                                  TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS,
                                  BTNS_WHOLEDROPDOWN | BTNS_SHOWTEXT | BTNS_AUTOSIZE, kTexts, 2);
    return menu_toolbar_ != nullptr;
}

bool CMainDlg::CreateFolderToolbar() {
    static const wchar_t* const kTexts[] = {L"Add Folder", L"Remove Folder", L"Remove All Folders"};
    constexpr int kImageSize = 20;  // at 96 DPI
    folder_toolbar_images_ = ImageListFromBitmap(instance(), IDB_FOLDER_TOOLBAR, kImageSize,
                                                 kImageSize, ILC_COLOR32, 3, dpi_);
    if (!folder_toolbar_images_) {
        return false;
    }
    const int size = ScaleForDpi(kImageSize, dpi_);
    folder_toolbar_ = CreateToolbarFromResource(
        hwnd(), IDC_FOLDER_TOOLBAR, IDR_FOLDER_TOOLBAR, SIZE{size, size},
        folder_toolbar_images_.get(),
        TBSTYLE_EX_DRAWDDARROWS | TBSTYLE_EX_MIXEDBUTTONS | TBSTYLE_EX_HIDECLIPPEDBUTTONS,
        BTNS_SHOWTEXT, kTexts, 3);
    return folder_toolbar_ != nullptr;
}

bool CMainDlg::CreateImageLists() {
    state_images_ = ImageListFromBitmap(instance(), IDB_STATE_IMAGES, 16, 16, ILC_COLOR24,
                                        STATE_IMAGE_COUNT, dpi_);
    sort_arrows_ = ImageListFromBitmap(instance(), IDB_SORT_ARROWS, 9, 5, ILC_COLOR4, 2, dpi_);
    return state_images_ && sort_arrows_;
}

BOOL CMainDlg::OnInitDialog() {
    CFrameDlg::OnInitDialog();
    preset_combo_.Attach(Item(IDC_PRESET_COMBO), &resources_);
    folder_list_.Attach(Item(IDC_FOLDER_LIST));
    file_list_.Attach(Item(IDC_FILE_LIST));
    SendMessageW(Item(IDC_OLDER_EDIT), EM_SETLIMITTEXT, kOlderThanDaysDigits, 0);
    WriteControls();

    accelerators_ = LoadAcceleratorsW(instance(), MAKEINTRESOURCEW(IDR_ACCELERATORS));

    SetFonts();
    LayOut();
    SetUpToolTips();

    SendMessageW(preset_combo_.hwnd(), CB_SETITEMHEIGHT, 0, ScaleForDpi(kPresetItemHeight, dpi_));
    FillPresetCombo();

    SetUpLists();
    SetUpListOperations();

    CleaningOptions controls = ReadOptionControls();
    const int selection =
        SelectPresetAtCreation(settings_.Presets, settings_.CustomIndex, values_.Preset, controls);
    SelectComboItem(selection);
    WriteOptionControls(controls);

    ApplyKeepOnTop();
    StartFromRequest();
    return TRUE;
}

void CMainDlg::SetUpToolTips() {
    static const struct {
        int id;
        const wchar_t* text;
    } kTips[] = {
        {IDC_SCAN, L"Find matched files/subfolders"},
        {IDC_CLEAN, L"Delete all files/subfolders in the file list"},
        {IDC_SCAN_AND_CLEAN, L"Find matched files/subfolders, and delete them"},
        {IDC_STOP, L"Stop scanning/cleaning"},
    };
    for (const auto& tip : kTips) {
        TTTOOLINFOW info{};
        info.cbSize = sizeof(info);
        info.uFlags = TTF_IDISHWND;
        info.hwnd = hwnd();
        info.uId = reinterpret_cast<UINT_PTR>(Item(tip.id));
        info.lpszText = const_cast<wchar_t*>(tip.text);
        SendMessageW(ToolTips(), TTM_ADDTOOLW, 0, reinterpret_cast<LPARAM>(&info));
    }
}

void CMainDlg::SetUpLists() {
    for (CSortListCtrl* list : {&folder_list_, &file_list_}) {
        HWND window = list->hwnd();
        SetWindowLongPtrW(window, GWL_STYLE,
                          GetWindowLongPtrW(window, GWL_STYLE) | WS_CLIPCHILDREN);
        SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, 0, kListExtendedStyle);
        // Rows are drawn off screen and shown in one copy: far fewer calls to the display
        // for each refresh while a run fills the list.
        SendMessageW(window, LVM_SETEXTENDEDLISTVIEWSTYLE, LVS_EX_DOUBLEBUFFER,
                     LVS_EX_DOUBLEBUFFER);
        // Owner-data lists: the state image comes with each row when it is drawn.
        SendMessageW(window, LVM_SETCALLBACKMASK, LVIS_STATEIMAGEMASK, 0);
    }
    // The lists sort between runs only: a header click during a run is ignored, so rows
    // keep arriving in walk order while the worker lists them.
    folder_list_.SetSortAllowed([this] { return !IsBusy(); });
    file_list_.SetSortAllowed([this] { return !IsBusy(); });

    SetListImages();
    InsertColumns(folder_list_, kFolderListColumns);
    InsertColumns(file_list_, kFileListColumns);
}

void CMainDlg::SetListImages() {
    for (CSortListCtrl* list : {&folder_list_, &file_list_}) {
        HWND window = list->hwnd();
        SendMessageW(window, LVM_SETIMAGELIST, LVSIL_SMALL,
                     reinterpret_cast<LPARAM>(resources_.SmallImageListForDpi(dpi_)));
        SendMessageW(ListView_GetHeader(window), HDM_SETIMAGELIST, 0,
                     reinterpret_cast<LPARAM>(sort_arrows_.get()));
        SendMessageW(window, LVM_SETIMAGELIST, LVSIL_STATE,
                     reinterpret_cast<LPARAM>(state_images_.get()));
    }
}

void CMainDlg::InsertColumns(CSortListCtrl& list, std::span<const ListColumn> columns) {
    RECT client{};
    GetClientRect(list.hwnd(), &client);
    const std::vector<int> widths =
        ColumnWidths(columns, client.right, SystemMetricForDpi(SM_CXVSCROLL, dpi_), dpi_);
    for (size_t i = 0; i < columns.size(); ++i) {
        list.InsertColumn(static_cast<int>(i), columns[i].title, -1,
                          columns[i].right_aligned ? LVCFMT_RIGHT : -1, widths[i]);
    }
}

void CMainDlg::StartFromRequest() {
    if (request_ == nullptr) {
        return;
    }
    const RequestStartPlan plan = PlanRequestStart(*request_, &ExistingFolderForm);
    if (plan.lock_auto_close) {
        SetChecked(Item(IDC_AUTO_CLOSE), true);
        EnableWindow(Item(IDC_AUTO_CLOSE), FALSE);
    }
    for (const std::wstring& folder : plan.folders_to_add) {
        AddFolder(folder);
    }
    if (plan.bring_to_top) {
        BringWindowToTop(hwnd());
    }
    if (plan.command != StartCommand::None) {
        // Until a run ends, the command line's run has not completed.
        run_from_request_ = true;
        exit_code_ = ExitStopped;
    }
    if (plan.command == StartCommand::Scan) {
        PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SCAN, 0), 0);
    } else if (plan.command == StartCommand::ScanAndClean) {
        if (folders_.RowCount() == 0) {
            // Scan & Clean is disabled without folders; the line still gets its answer.
            EndRunWithoutFolders();
        } else {
            PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(IDC_SCAN_AND_CLEAN, 0), 0);
        }
    }
}

// ---------------------------------------------------------------------------------------
// Controls and mirrored members

CleaningOptions CMainDlg::ReadOptionControls() const {
    CleaningOptions options;
    options.Filter = GetWindowTextString(Item(IDC_FILTER_EDIT));
    options.Keep = GetWindowTextString(Item(IDC_KEEP_EDIT));
    options.OlderThanDays = OlderThanDaysFromText(GetWindowTextString(Item(IDC_OLDER_EDIT)));
    for (const OptionBox& box : kOptionBoxes) {
        options.*box.field = IsChecked(Item(box.id)) ? 1 : 0;
    }
    return options;
}

void CMainDlg::WriteOptionControls(const CleaningOptions& options) {
    writing_controls_ = true;
    if (GetWindowTextString(Item(IDC_FILTER_EDIT)) != options.Filter) {
        SetWindowTextW(Item(IDC_FILTER_EDIT), options.Filter.c_str());
    }
    if (GetWindowTextString(Item(IDC_KEEP_EDIT)) != options.Keep) {
        SetWindowTextW(Item(IDC_KEEP_EDIT), options.Keep.c_str());
    }
    // The box shows the days the run would use, so a value out of range reads as taken.
    const std::wstring days = std::to_wstring(options.OlderThanDays);
    if (GetWindowTextString(Item(IDC_OLDER_EDIT)) != days) {
        SetWindowTextW(Item(IDC_OLDER_EDIT), days.c_str());
    }
    for (const OptionBox& box : kOptionBoxes) {
        SetChecked(Item(box.id), options.*box.field != 0);
    }
    writing_controls_ = false;
}

void CMainDlg::WriteControls() {
    SetChecked(Item(IDC_AUTO_CLOSE), values_.AutoClose != 0);
    SetChecked(Item(IDC_ALWAYS_ON_TOP), values_.AlwaysOnTop != 0);
    WriteOptionControls(values_.Options);
}

void CMainDlg::ReadBackControls() {
    values_.AutoClose = IsChecked(Item(IDC_AUTO_CLOSE)) ? 1 : 0;
    values_.AlwaysOnTop = IsChecked(Item(IDC_ALWAYS_ON_TOP)) ? 1 : 0;
    values_.Options = ReadOptionControls();
    values_.Preset = ComboSelection();
}

// ---------------------------------------------------------------------------------------
// Presets

void CMainDlg::FillPresetCombo() {
    HWND combo = preset_combo_.hwnd();
    SendMessageW(combo, CB_RESETCONTENT, 0, 0);
    preset_combo_.RemoveAllSeparators();
    for (const PresetComboItem& item : PresetComboItems(settings_.Presets)) {
        const LRESULT index =
            SendMessageW(combo, CB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.text.c_str()));
        if (index < 0) {
            continue;
        }
        SendMessageW(combo, CB_SETITEMDATA, static_cast<WPARAM>(index),
                     reinterpret_cast<LPARAM>(item.entry));
        if (item.separator_below) {
            preset_combo_.AddSeparator(static_cast<int>(index));
        }
    }
}

int CMainDlg::ComboSelection() const {
    return static_cast<int>(SendMessageW(preset_combo_.hwnd(), CB_GETCURSEL, 0, 0));
}

void CMainDlg::SelectComboItem(int index) {
    SendMessageW(preset_combo_.hwnd(), CB_SETCURSEL, static_cast<WPARAM>(index), 0);
}

void CMainDlg::OnPresetSelected() {
    CleaningOptions controls = ReadOptionControls();
    if (ApplyPreset(settings_.Presets, ComboSelection(), controls)) {
        WriteOptionControls(controls);
    }
}

void CMainDlg::OnOptionsChanged() {
    SelectComboItem(ReselectPreset(settings_.Presets, ReadOptionControls()));
}

void CMainDlg::OnPresetsCommand() {
    if (!RunPresetsDialog(hwnd(), settings_.Presets, profile_)) {
        return;
    }
    FillPresetCombo();
    CleaningOptions controls = ReadOptionControls();
    SelectComboItem(SelectPresetAfterPresetsChanged(settings_.Presets, values_.Preset, controls));
    WriteOptionControls(controls);
}

void CMainDlg::ApplyKeepOnTop() {
    values_.AlwaysOnTop = IsChecked(Item(IDC_ALWAYS_ON_TOP)) ? 1 : 0;
    SetWindowPos(hwnd(), values_.AlwaysOnTop != 0 ? HWND_TOPMOST : HWND_NOTOPMOST, 0, 0, 0, 0,
                 SWP_NOMOVE | SWP_NOSIZE);
}

// ---------------------------------------------------------------------------------------
// Folder list rows (the list's own commands come with the folder list)

int CMainDlg::AddFolder(const std::wstring& folder) {
    return folders_.AddFolder(folder);
}

// ---------------------------------------------------------------------------------------
// Layout

void CMainDlg::LayOut() {
    if (file_list_.hwnd() == nullptr || menu_toolbar_ == nullptr || folder_toolbar_ == nullptr) {
        return;
    }
    ToolbarSizes& toolbars = MeasuredToolbars();
    if (toolbars.dpi != dpi_) {
        toolbars.menu = MeasureToolbar(menu_toolbar_);
        toolbars.folder = MeasureToolbar(folder_toolbar_);
        toolbars.dpi = dpi_;
    }
    MainLayoutInput input;
    RECT client{};
    GetClientRect(hwnd(), &client);
    input.client = {client.left, client.top, client.right, client.bottom};
    input.menu_toolbar = toolbars.menu;
    input.folder_toolbar = toolbars.folder;
    input.dpi = dpi_;
    for (int id : kLayoutControls) {
        input.controls[id] = ChildRect(hwnd(), Item(id));
    }
    input.controls[IDC_MENU_TOOLBAR] = ChildRect(hwnd(), menu_toolbar_);
    input.controls[IDC_FOLDER_TOOLBAR] = ChildRect(hwnd(), folder_toolbar_);

    const std::map<int, LayoutRect> placed = ComputeMainLayout(input);
    HDWP batch = BeginDeferWindowPos(kLayoutBatchSize);
    if (batch == nullptr) {
        return;
    }
    for (const auto& [id, rect] : placed) {
        if (input.controls[id] == rect) {
            continue;
        }
        UINT flags = SWP_NOZORDER | SWP_NOACTIVATE;
        // A combo's window height is its dropped-down height: move it, keep its size.
        if (id == IDC_PRESET_COMBO) {
            flags |= SWP_NOSIZE;
        }
        batch = DeferWindowPos(batch, Item(id), nullptr, rect.left, rect.top, rect.Width(),
                               rect.Height(), flags);
        if (batch == nullptr) {
            return;  // the rest of this pass is skipped; the next WM_SIZE tries again
        }
    }
    if (EndDeferWindowPos(batch)) {
        // Moved controls leave stale pixels where they were and are not all repainted where
        // they land (the dialog does not clip its children): repaint the whole client area.
        RedrawWindow(hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
    }
}

void CMainDlg::OnSize(UINT type, int width, int height) {
    if (type == SIZE_MINIMIZED || width <= 0 || height <= 0) {
        return;
    }
    LayOut();
}

// ---------------------------------------------------------------------------------------
// Enabling rules

MainCommandContext CMainDlg::CommandContext() const {
    MainCommandContext context;
    context.busy = IsBusy();
    context.folder_rows = folder_list_.RowCount();
    context.folder_selected = folder_list_.SelectedCount();
    context.file_rows = file_list_.RowCount();
    context.file_selected = file_list_.SelectedCount();
    FileItem first;
    if (files_.RowState(file_list_.FirstSelected(), first)) {
        context.first_selected_file_is_folder = first.IsFolder();
        context.first_selected_file_status = first.status;
    }
    context.show_file_sizes = values_.ShowFileSizes != 0;
    context.auto_remove_deleted = values_.AutoRemoveDeleted != 0;
    return context;
}

bool CMainDlg::QueryCommandState(int id, CommandUiState& state) {
    return MainCommandRule(id, CommandContext(), state);
}

bool CMainDlg::HandlesCommand(int id) const {
    switch (id) {
        case ID_PRESETS:
        case ID_SHOW_FILE_SIZES:
        case ID_AUTO_REMOVE_DELETED:
            return true;
        default:
            return app_commands_ != nullptr && app_commands_->HandlesAppCommand(id);
    }
}

void CMainDlg::UpdateCommandUi() {
    const MainCommandContext context = CommandContext();
    CommandUiState state;
    for (int id : kFolderToolbarCommands) {
        if (MainCommandRule(id, context, state)) {
            SendMessageW(folder_toolbar_, TB_ENABLEBUTTON, static_cast<WPARAM>(id),
                         MAKELPARAM(state.enabled ? TRUE : FALSE, 0));
        }
    }
    for (int id : kRuledPushButtons) {
        if (MainCommandRule(id, context, state)) {
            HWND button = Item(id);
            if ((IsWindowEnabled(button) != FALSE) != state.enabled) {
                EnableWindow(button, state.enabled ? TRUE : FALSE);
            }
        }
    }
}

void CMainDlg::OnIdle() {
    UpdateCommandUi();
}

// ---------------------------------------------------------------------------------------
// Keyboard

bool CMainDlg::FilterKeyboard(MSG& message) {
    if (message.message >= WM_KEYFIRST && message.message <= WM_SYSDEADCHAR &&
        accelerators_ != nullptr && TranslateAcceleratorW(hwnd(), accelerators_, &message)) {
        return true;
    }
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    HWND focus = GetFocus();
    if (message.wParam == VK_DELETE) {
        int command = 0;
        if (focus == folder_list_.hwnd()) {
            command = ID_FOLDER_REMOVE;
        } else if (focus == file_list_.hwnd()) {
            command = ID_FILE_REMOVE;
        } else {
            return false;
        }
        // Each remove-all command is its remove-selected command plus one.
        command += CtrlHeld() ? 1 : 0;
        PostMessageW(hwnd(), WM_COMMAND, MAKEWPARAM(command, 0), 0);
        return true;
    }
    if (message.wParam == 'A' && CtrlHeld()) {
        if (focus == folder_list_.hwnd()) {
            folder_list_.SelectAll(true);
            return true;
        }
        if (focus == file_list_.hwnd()) {
            file_list_.SelectAll(true);
            return true;
        }
        if (focus == Item(IDC_FILTER_EDIT)) {
            SendMessageW(focus, EM_SETSEL, 0, -1);
            file_list_.SelectAll(true);
            return true;
        }
    }
    return false;
}

bool CMainDlg::PreTranslateMessage(MSG& message) {
    if (hwnd() != nullptr && (message.hwnd == hwnd() || IsChild(hwnd(), message.hwnd)) &&
        FilterKeyboard(message)) {
        return true;
    }
    return CFrameDlg::PreTranslateMessage(message);
}

// ---------------------------------------------------------------------------------------
// Commands and notifications

bool CMainDlg::OnCommand(int id, int code, HWND control) {
    if (control == nullptr) {
        // From a menu, an accelerator, a key or a posted message: the enabling rule, or for
        // a button without a rule the button's own state, decides.
        CommandUiState state;
        if (QueryCommandState(id, state)) {
            if (!state.enabled) {
                return true;
            }
        } else if (HWND button = Item(id); button != nullptr && !IsWindowEnabled(button)) {
            return true;
        }
    }
    if (OnListCommand(id)) {
        return true;
    }
    switch (id) {
        case IDC_FILTER_EDIT:
        case IDC_KEEP_EDIT:
        case IDC_OLDER_EDIT:
            if (code == EN_CHANGE && !writing_controls_) {
                PostMessageW(hwnd(), UM_OPTIONS_CHANGED, 0, 0);
            }
            return true;
        case IDC_PRESET_COMBO:
            if (code == CBN_SELCHANGE) {
                OnPresetSelected();
            }
            return true;
        case IDC_AUTO_CLOSE:
            if (code == BN_CLICKED) {
                values_.AutoClose = IsChecked(Item(IDC_AUTO_CLOSE)) ? 1 : 0;
            }
            return true;
        case IDC_ALWAYS_ON_TOP:
            if (code == BN_CLICKED) {
                ApplyKeepOnTop();
            }
            return true;
        case ID_PRESETS:
            OnPresetsCommand();
            return true;
        case ID_SHOW_FILE_SIZES:
            values_.ShowFileSizes = values_.ShowFileSizes != 0 ? 0 : 1;
            SyncRunSettings();
            return true;
        case ID_AUTO_REMOVE_DELETED:
            values_.AutoRemoveDeleted = values_.AutoRemoveDeleted != 0 ? 0 : 1;
            SyncRunSettings();
            return true;
        default:
            break;
    }
    if (IsOptionBox(id)) {
        if (code == BN_CLICKED && !writing_controls_) {
            PostMessageW(hwnd(), UM_OPTIONS_CHANGED, 0, 0);
        }
        return true;
    }
    if (app_commands_ != nullptr && app_commands_->HandlesAppCommand(id)) {
        return app_commands_->OnAppCommand(hwnd(), id);
    }
    return CFrameDlg::OnCommand(id, code, control);
}

void CMainDlg::OnOK() {
    if (runs_ != nullptr && runs_->RequestClose()) {
        return;  // while busy: stop, then close when the worker has ended
    }
    ReadBackControls();
    EndModal(1);
}

void CMainDlg::OnCancel() {
    if (runs_ != nullptr && runs_->RequestClose()) {
        return;
    }
    EndModal(2);
}

LRESULT CMainDlg::OnToolbarDropDown(const NMTOOLBARW& info) {
    int popup_index = -1;
    if (info.iItem == ID_OPTIONS_DROPDOWN) {
        popup_index = POPUP_OPTIONS;
    } else if (info.iItem == ID_HELP_DROPDOWN) {
        popup_index = POPUP_HELP;
    } else {
        return TBDDRET_DEFAULT;
    }
    RECT button{};
    SendMessageW(menu_toolbar_, TB_GETRECT, static_cast<WPARAM>(info.iItem),
                 reinterpret_cast<LPARAM>(&button));
    MapWindowPoints(menu_toolbar_, nullptr, reinterpret_cast<POINT*>(&button), 2);
    MenuHandle menu(LoadMenuW(instance(), MAKEINTRESOURCEW(IDR_POPUP_MENUS)));
    HMENU popup = menu ? GetSubMenu(menu.get(), popup_index) : nullptr;
    if (popup != nullptr) {
        TPMPARAMS params{};
        params.cbSize = sizeof(params);
        params.rcExclude = button;
        TrackPopupMenuEx(popup, TPM_VERTICAL, button.left, button.bottom, hwnd(), &params);
    }
    return TBDDRET_DEFAULT;
}

bool CMainDlg::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom == IDC_MENU_TOOLBAR && header.code == TBN_DROPDOWN) {
        result = OnToolbarDropDown(reinterpret_cast<const NMTOOLBARW&>(header));
        return true;
    }
    if (OnListNotify(header, result)) {
        return true;
    }
    return CFrameDlg::OnNotify(header, result);
}

bool CMainDlg::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    if (OnListMessage(message, wparam, lparam, result)) {
        return true;
    }
    switch (message) {
        case WM_GETMINMAXINFO: {
            auto* info = reinterpret_cast<MINMAXINFO*>(lparam);
            info->ptMinTrackSize.x = ScaleForDpi(kMinimumTrackWidth, dpi_);
            info->ptMinTrackSize.y = ScaleForDpi(kMinimumTrackHeight, dpi_);
            result = 0;
            return true;
        }
        case WM_LBUTTONDOWN: {
            // Any free spot of the client area drags the window.
            POINT point{static_cast<short>(LOWORD(lparam)), static_cast<short>(HIWORD(lparam))};
            ClientToScreen(hwnd(), &point);
            SendMessageW(hwnd(), WM_NCLBUTTONDOWN, HTCAPTION, MAKELPARAM(point.x, point.y));
            return false;
        }
        case WM_SYSCOLORCHANGE:
            for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
                 child = GetWindow(child, GW_HWNDNEXT)) {
                SendMessageW(child, WM_SYSCOLORCHANGE, wparam, lparam);
            }
            resources_.RefreshTheme();
            return false;
        case WM_DRAWITEM: {
            const auto* item = reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
            if (item->CtlID == IDC_PRESET_COMBO) {
                preset_combo_.DrawItem(*item);
                result = TRUE;
                return true;
            }
            return false;
        }
        case UM_OPTIONS_CHANGED:
            OnOptionsChanged();
            result = 0;
            return true;
        case WM_DPICHANGED:
            OnDpiChanged(LOWORD(wparam), *reinterpret_cast<const RECT*>(lparam));
            result = 0;
            return true;
        default:
            return CFrameDlg::OnMessage(message, wparam, lparam, result);
    }
}

void CMainDlg::OnDestroy() {
    // Whatever ends the window, a run still on is stopped and its worker has ended before
    // the rows go; their records belong to the row stores, which go with this object.
    if (runs_ != nullptr) {
        runs_->StopAndWait();
    }
    folder_list_.Detach();
    file_list_.Detach();
}

}  // namespace vantrel
