#include "ui/folder_list.h"

#include <shlwapi.h>

#include <memory>

#include "resources/resource.h"
#include "ui/display_helpers.h"
#include "ui/list_rules.h"
#include "ui/list_view_rows.h"

namespace vantrel {

void CFolderList::Attach(HWND list, std::function<void(const std::wstring&)> folder_added) {
    list_ = list;
    folder_added_ = std::move(folder_added);
}

int CFolderList::RowCount() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

const FolderItem* CFolderList::Record(int row) const {
    return reinterpret_cast<const FolderItem*>(RowParam(list_, row));
}

std::vector<std::wstring> CFolderList::Paths() const {
    std::vector<std::wstring> paths;
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) {
        if (const FolderItem* item = Record(row)) {
            paths.push_back(item->path);
        }
    }
    return paths;
}

bool CFolderList::IsFolderListed(const std::wstring& path) const {
    const int rows = RowCount();
    for (int row = 0; row < rows; ++row) {
        const FolderItem* item = Record(row);
        if (item != nullptr && lstrcmpiW(item->path.c_str(), path.c_str()) == 0) {
            return true;
        }
    }
    return false;
}

void CFolderList::UpdateFolderHeader() {
    std::wstring text = CountedHeaderText(L"Folder", RowCount());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    SendMessageW(list_, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

int CFolderList::AddFolder(const std::wstring& path) {
    if (IsFolderListed(path)) {
        return -1;
    }
    const int row = AppendIconRow(list_, path, GetSystemIconIndex(path, SHGFI_SMALLICON));
    if (row < 0) {
        return -1;
    }
    auto record = std::make_unique<FolderItem>();
    record->path = path;
    if (!AttachRowRecord(list_, row, record.get())) {
        return -1;
    }
    record.release();  // owned by the row from now on
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    UpdateFolderHeader();
    if (folder_added_) {
        folder_added_(path);
    }
    return row;
}

void CFolderList::RemoveSelected() {
    DeleteSelectedRows(list_);
    UpdateFolderHeader();
}

void CFolderList::RemoveAll() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
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
        if (PathIsDirectoryW(name.c_str()) && AddFolder(name) >= 0) {
            ++added;
        }
    }
    return added;
}

void CFolderList::ShowContextMenu(HWND owner, LPARAM position) const {
    const int default_command = FirstSelectedRow(list_) >= 0 ? ID_FOLDER_OPEN : ID_FOLDER_ADD;
    ShowListPopup(owner, list_, position, POPUP_FOLDERS, default_command);
}

void CFolderList::OnDeleteItem(const NMLISTVIEW& item) {
    delete reinterpret_cast<FolderItem*>(item.lParam);
}

}  // namespace vantrel
