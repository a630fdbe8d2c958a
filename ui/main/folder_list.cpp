#include "ui/main/folder_list.h"

#include <shlwapi.h>

#include "engine/path.h"
#include "resources/resource.h"
#include "ui/controls/display_helpers.h"
#include "ui/controls/list_view_rows.h"
#include "ui/main/file_list.h"
#include "ui/model/list_rules.h"
#include "ui/model/status_display.h"
#include "win32/absolute_path.h"

namespace vantrel {

void CFolderList::Attach(HWND list, std::function<void(const std::wstring&)> folder_added) {
    list_ = list;
    folder_added_ = std::move(folder_added);
}

void CFolderList::Refresh() {
    if (RefreshVirtualList(list_, store_).count_changed) {
        UpdateFolderHeader();
    }
}

std::vector<std::wstring> CFolderList::Paths() const {
    std::vector<std::wstring> paths;
    store_.ForEachShown(
        [&paths](RowId, const Store::Row& row) { paths.push_back(row.record.path); });
    return paths;
}

bool CFolderList::IsFolderListed(const std::wstring& path) const {
    const std::wstring key = FolderKey(MakeAbsolute(path));
    bool listed = false;
    store_.ForEachShown([&](RowId, const Store::Row& row) {
        listed = listed || FolderKey(row.record.path) == key;
    });
    return listed;
}

void CFolderList::UpdateFolderHeader() {
    std::wstring text = CountedHeaderText(L"Folder", RowCount());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    SendMessageW(list_, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

int CFolderList::AddFolder(const std::wstring& text) {
    // The one form the row keeps, the scan checks and walks and the clean deletes in.
    const std::wstring path = MakeAbsolute(text);
    if (path.empty() || IsFolderListed(path)) {
        return -1;
    }
    const int icon = GetSystemIconIndex(path, SHGFI_SMALLICON);
    RowId id = kNoRow;
    try {
        id = store_.Append(FolderItem{path, 0, ItemStatus::None}, false, true);
        icons_.resize(static_cast<size_t>(id) + 1, -1);
        icons_[static_cast<size_t>(id)] = icon;
    } catch (...) {
        return -1;
    }
    Refresh();
    const int row = store_.PositionOf(id);
    if (folder_added_) {
        folder_added_(path);
    }
    return row;
}

void CFolderList::RemoveSelected() {
    RemoveSelectedRows(list_, store_);
    UpdateFolderHeader();
}

void CFolderList::RemoveAll() {
    // The records stay (a run may still hold one); only the shown order is emptied.
    SelectOnly(list_, {});
    store_.RemoveNow(store_.Order());
    SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
    InvalidateRect(list_, nullptr, FALSE);
    UpdateFolderHeader();
}

void CFolderList::OpenFirstSelected() const {
    const FolderItem* item = Record(FirstSelectedRow(list_));
    if (item == nullptr || !PathFileExistsW(item->path.c_str())) {
        return;
    }
    ShellExecuteW(nullptr, nullptr, L"explorer.exe", item->path.c_str(), nullptr, SW_SHOWNORMAL);
}

int CFolderList::DoubleClickCommand() const {
    return FirstSelectedRow(list_) >= 0 ? ID_FOLDER_OPEN : ID_FOLDER_ADD;
}

std::vector<std::wstring> DroppedNames(HDROP drop) {
    std::vector<std::wstring> names;
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    for (UINT index = 0; index < count; ++index) {
        const UINT length = DragQueryFileW(drop, index, nullptr, 0);
        if (length == 0) {
            continue;
        }
        std::wstring name(length + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, index, name.data(), length + 1);
        if (copied != length) {
            continue;  // a partial name would name another item
        }
        name.resize(copied);
        names.push_back(std::move(name));
    }
    return names;
}

int CFolderList::AddDropped(HDROP drop) {
    int added = 0;
    for (const std::wstring& name : DroppedNames(drop)) {
        const std::wstring folder = ExistingFolderForm(name);
        if (!folder.empty() && AddFolder(folder) >= 0) {
            ++added;
        }
    }
    return added;
}

void CFolderList::ShowContextMenu(HWND owner, LPARAM position) const {
    const int default_command = FirstSelectedRow(list_) >= 0 ? ID_FOLDER_OPEN : ID_FOLDER_ADD;
    ShowListPopup(owner, list_, position, POPUP_FOLDERS, default_command);
}

void CFolderList::SetAnimated(RowId row, int frame) {
    const RowId before = animated_;
    animated_ = row;
    frame_ = frame;
    MoveAnimatedRow(list_, store_, before, row);
}

void CFolderList::Sort(const SortState& sort) {
    SortVirtualList(list_, store_, [&sort](const FolderItem& a, const FolderItem& b) {
        return CompareFolderRecords(a, b, sort) < 0;
    });
}

void CFolderList::OnGetDispInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    const RowId id = store_.IdAt(item.iItem);
    FolderItem shown;
    if (!store_.Read(id, [&shown](const Store::Row& row) { shown = row.record; })) {
        return;
    }
    if ((item.mask & LVIF_TEXT) != 0) {
        CopyCellText(item, item.iSubItem == 0 ? shown.path : FolderCellStatus(shown));
    }
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0) {
        item.iImage =
            static_cast<size_t>(id) < icons_.size() ? icons_[static_cast<size_t>(id)] : -1;
    }
    if ((item.mask & LVIF_STATE) != 0) {
        SetStateImage(item, ShownStateIndex(shown.status, id == animated_, frame_));
    }
}

std::wstring FolderCellStatus(const FolderItem& item) {
    // While a folder is walked its running count replaces "Scanning" from the first find on.
    if (item.status == ItemStatus::InProgress && item.found_count > 0) {
        return std::to_wstring(item.found_count);
    }
    return FolderStatusText(item.status, item.found_count);
}

}  // namespace vantrel
