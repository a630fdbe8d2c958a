#include "ui/dialogs/presets_dlg.h"

#include "config/cleaning_options.h"
#include "config/presets.h"
#include "resources/resource.h"
#include "ui/controls/window_text.h"
#include "ui/model/preset_selection.h"

namespace vantrel {
namespace {

// The seven option boxes and their bits in a preset's Flags.
struct OptionBox {
    int id;
    uint32_t flag;
};
constexpr OptionBox kOptionBoxes[] = {
    {IDC_DELETE_FILES, DeleteFilesFlag},
    {IDC_DELETE_FOLDERS, DeleteFoldersFlag},
    {IDC_DELETE_EMPTY_FILES, DeleteEmptyFilesFlag},
    {IDC_DELETE_EMPTY_FOLDERS, DeleteEmptyFoldersFlag},
    {IDC_SCAN_SUBFOLDERS, ScanSubfoldersFlag},
    {IDC_DELETE_READONLYS, DeleteReadOnlysFlag},
    {IDC_RECYCLE_FILES, RecycleFilesFlag},
};

constexpr int kTreeItemHeight = 20;
constexpr int kOlderThanDaysDigits = 6;  // kMaxOlderThanDays

void SetItemText(HWND tree, HTREEITEM item, const std::wstring& text) {
    TVITEMW change{};
    change.mask = TVIF_TEXT;
    change.hItem = item;
    change.pszText = const_cast<wchar_t*>(text.c_str());
    TreeView_SetItem(tree, &change);
}

}  // namespace

CPresetsDlg::CPresetsDlg(PresetList& presets, RegistryProfile& profile)
    : CDialogBase(IDD_PRESETS), editor_(presets), profile_(profile) {
    INITCOMMONCONTROLSEX classes{sizeof(classes), ICC_TREEVIEW_CLASSES};
    InitCommonControlsEx(&classes);
}

HWND CPresetsDlg::Tree() const {
    return Item(IDC_PRESET_TREE);
}

HTREEITEM CPresetsDlg::SelectedItem() const {
    return TreeView_GetSelection(Tree());
}

PresetEntry* CPresetsDlg::EntryOf(HWND tree, HTREEITEM item) {
    if (item == nullptr) {
        return nullptr;
    }
    TVITEMW query{};
    query.mask = TVIF_PARAM;
    query.hItem = item;
    if (!TreeView_GetItem(tree, &query)) {
        return nullptr;
    }
    return reinterpret_cast<PresetEntry*>(query.lParam);
}

BOOL CPresetsDlg::OnInitDialog() {
    TreeView_SetItemHeight(Tree(), kTreeItemHeight);
    SendMessageW(Item(IDC_OLDER_EDIT), EM_SETLIMITTEXT, kOlderThanDaysDigits, 0);
    FillTree();
    SelectFirstItem();
    return TRUE;  // the tree, first in tab order, gets the focus
}

void CPresetsDlg::FillTree() {
    for (PresetEntry* entry : editor_.Shown()) {
        InsertItem(*entry);
    }
}

HTREEITEM CPresetsDlg::InsertItem(PresetEntry& entry) {
    TVINSERTSTRUCTW insert{};
    insert.hParent = TVI_ROOT;
    insert.hInsertAfter = TVI_LAST;
    insert.item.mask = TVIF_TEXT | TVIF_PARAM;
    insert.item.pszText = const_cast<wchar_t*>(entry.Name.c_str());
    insert.item.lParam = reinterpret_cast<LPARAM>(&entry);
    return TreeView_InsertItem(Tree(), &insert);
}

void CPresetsDlg::SelectFirstItem() {
    const HTREEITEM first = TreeView_GetRoot(Tree());
    if (first != nullptr) {
        TreeView_SelectItem(Tree(), first);  // TVN_SELCHANGED loads it
    }
    if (SelectedItem() != current_item_) {
        Load();
    }
}

PresetEditValues CPresetsDlg::ReadControls() const {
    PresetEditValues values;
    values.Name = GetWindowTextString(Item(IDC_PRESET_NAME));
    values.Filter = GetWindowTextString(Item(IDC_FILTER_EDIT));
    values.Keep = GetWindowTextString(Item(IDC_KEEP_EDIT));
    values.OlderThanDays =
        static_cast<uint32_t>(OlderThanDaysFromText(GetWindowTextString(Item(IDC_OLDER_EDIT))));
    for (const OptionBox& box : kOptionBoxes) {
        if (IsDlgButtonChecked(hwnd(), box.id) == BST_CHECKED) {
            values.Flags |= box.flag;
        }
    }
    return values;
}

void CPresetsDlg::ShowValues(const PresetEntry& entry) {
    SetDlgItemTextW(hwnd(), IDC_PRESET_NAME, entry.Name.c_str());
    SetDlgItemTextW(hwnd(), IDC_FILTER_EDIT, entry.Filter.c_str());
    SetDlgItemTextW(hwnd(), IDC_KEEP_EDIT, entry.Keep.c_str());
    SetDlgItemTextW(hwnd(), IDC_OLDER_EDIT, std::to_wstring(entry.OlderThanDays).c_str());
    for (const OptionBox& box : kOptionBoxes) {
        CheckDlgButton(hwnd(), box.id, (entry.Flags & box.flag) != 0 ? BST_CHECKED : BST_UNCHECKED);
    }
}

void CPresetsDlg::Commit() {
    PresetEntry* entry = editor_.Current();
    if (entry == nullptr) {
        return;
    }
    if (!editor_.Commit(ReadControls()) && current_item_ != nullptr &&
        current_item_ != deleting_item_) {
        // The emptied name was not taken: the tree shows the kept name again.
        SetItemText(Tree(), current_item_, entry->Name);
    }
}

void CPresetsDlg::Load() {
    const HTREEITEM item = SelectedItem();
    PresetEntry* entry = EntryOf(Tree(), item);
    editor_.SetCurrent(entry);
    current_item_ = editor_.Current() != nullptr ? item : nullptr;
    if (editor_.Current() != nullptr) {
        ShowValues(*editor_.Current());  // with no preset the boxes keep what they show
    }
}

void CPresetsDlg::OnAdd() {
    PresetEntry& entry = editor_.Add();
    const HTREEITEM item = InsertItem(entry);
    if (item != nullptr) {
        TreeView_SelectItem(Tree(), item);  // commits the previous preset, loads this one
    }
    SendMessageW(hwnd(), WM_NEXTDLGCTL, reinterpret_cast<WPARAM>(Item(IDC_PRESET_NAME)), TRUE);
}

void CPresetsDlg::OnDelete() {
    const HTREEITEM item = SelectedItem();
    PresetEntry* entry = EntryOf(Tree(), item);
    if (item == nullptr || entry == nullptr) {
        return;
    }
    deleting_item_ = item;
    TreeView_DeleteItem(Tree(), item);  // the tree selects another item and tells us
    deleting_item_ = nullptr;
    editor_.Remove(entry);
    if (current_item_ == item || SelectedItem() != current_item_) {
        current_item_ = nullptr;
        Load();
    }
}

void CPresetsDlg::OnLoadDefaults() {
    // No current preset first, so that the uncommitted edits are dropped.
    editor_.SetCurrent(nullptr);
    current_item_ = nullptr;
    refilling_ = true;
    TreeView_DeleteAllItems(Tree());
    refilling_ = false;
    editor_.LoadDefaults();
    FillTree();
    SelectFirstItem();
}

void CPresetsDlg::Close() {
    if (closed_) {
        return;
    }
    Commit();
    closed_ = true;
    // The tree's items refer to entries that Finish replaces: the tree is done with.
    editor_.SetCurrent(nullptr);
    current_item_ = nullptr;
    changed_ = editor_.Finish(profile_);
    EndModal(IDOK);
}

bool CPresetsDlg::OnCommand(int id, int code, HWND control) {
    if (closed_) {
        return false;
    }
    if (id == IDC_PRESET_NAME && code == EN_CHANGE) {
        const HTREEITEM item = SelectedItem();
        if (item != nullptr && !refilling_) {
            SetItemText(Tree(), item, GetWindowTextString(control));
        }
        return true;
    }
    if (code != BN_CLICKED) {
        return CDialogBase::OnCommand(id, code, control);
    }
    switch (id) {
        case IDC_PRESET_ADD:
            OnAdd();
            return true;
        case IDC_PRESET_DELETE:
            OnDelete();
            return true;
        case IDC_PRESET_LOAD_DEFAULTS:
            OnLoadDefaults();
            return true;
        default:
            return CDialogBase::OnCommand(id, code, control);
    }
}

bool CPresetsDlg::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.idFrom != IDC_PRESET_TREE || header.code != TVN_SELCHANGEDW) {
        return false;
    }
    if (!closed_ && !refilling_) {
        Commit();
        Load();
    }
    result = 0;
    return true;
}

bool CPresetsDlg::OnMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    if (message == WM_CLOSE) {
        Close();
        result = 0;
        return true;
    }
    return false;
}

void CPresetsDlg::OnIdle() {
    const HWND remove = Item(IDC_PRESET_DELETE);
    const bool selected = !closed_ && SelectedItem() != nullptr;
    if ((IsWindowEnabled(remove) != FALSE) != selected) {
        EnableWindow(remove, selected ? TRUE : FALSE);
    }
}

bool RunPresetsDialog(HWND owner, PresetList& presets, RegistryProfile& profile) {
    CPresetsDlg dialog(presets, profile);
    dialog.RunModal(owner);
    return dialog.Changed();
}

}  // namespace vantrel
