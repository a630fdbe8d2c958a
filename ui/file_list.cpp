#include "ui/file_list.h"

#include <shellapi.h>

#include <memory>

#include "resources/resource.h"
#include "ui/compare_rules.h"
#include "ui/display_helpers.h"
#include "ui/list_rules.h"
#include "ui/list_view_rows.h"

namespace vantrel {

namespace {

constexpr int kStatusColumn = 4;
constexpr COLORREF kGreyText = RGB(128, 128, 128);

}  // namespace

std::wstring FileSizeText(int64_t size) {
    return FormatNumber(size / 1024) + L" KB";
}

std::wstring ExplorerParameters(const FileItem& item) {
    return item.IsFolder() ? item.path : L"/select," + item.path;
}

int CFileList::RowCount() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

const FileItem* CFileList::Record(int row) const {
    return reinterpret_cast<const FileItem*>(RowParam(list_, row));
}

void CFileList::UpdateFileHeader() {
    std::wstring text = CountedHeaderText(L"Name", RowCount());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    SendMessageW(list_, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

int CFileList::AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes,
                           bool show_size) {
    const int row =
        AppendIconRow(list_, PathNamePart(path), GetSystemIconIndex(path, SHGFI_SMALLICON));
    if (row < 0) {
        return -1;
    }
    auto record = std::make_unique<FileItem>();
    record->path = path;
    record->size = size;
    record->attributes = attributes;
    if (!record->IsFolder()) {
        const std::wstring extension = PathExtensionKey(path);
        SetRowText(list_, row, 1, extension.c_str());
        if (show_size && size >= 0) {
            const std::wstring size_text = FileSizeText(size);
            SetRowText(list_, row, 2, size_text.c_str());
        }
    }
    const std::wstring parent = GetParentFolder(path);
    SetRowText(list_, row, 3, parent.c_str());

    if (!AttachRowRecord(list_, row, record.get())) {
        return -1;
    }
    record.release();  // owned by the row from now on
    SendMessageW(list_, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    UpdateFileHeader();
    return 0;
}

void CFileList::RemoveSelected() {
    DeleteSelectedRows(list_);
    UpdateFileHeader();
}

void CFileList::RemoveAll() {
    SendMessageW(list_, LVM_DELETEALLITEMS, 0, 0);
    UpdateFileHeader();
}

void CFileList::OpenFirstSelected() const {
    const FileItem* item = Record(FirstSelectedRow(list_));
    if (item != nullptr) {
        ShellExecuteW(nullptr, L"open", item->path.c_str(), nullptr, nullptr, SW_SHOW);
    }
}

void CFileList::OpenFirstSelectedFolder() const {
    const FileItem* item = Record(FirstSelectedRow(list_));
    if (item != nullptr) {
        const std::wstring parameters = ExplorerParameters(*item);
        ShellExecuteW(nullptr, nullptr, L"explorer.exe", parameters.c_str(), nullptr,
                      SW_SHOWNORMAL);
    }
}

int CFileList::DoubleClickCommand() const {
    const FileItem* item = Record(FirstSelectedRow(list_));
    if (item == nullptr) {
        return 0;
    }
    return item->IsFolder() ? ID_FILE_OPEN_FOLDER : ID_FILE_OPEN_ITEM;
}

void CFileList::ShowContextMenu(HWND owner, LPARAM position) const {
    int default_command = 0;
    if (const FileItem* item = Record(FirstSelectedRow(list_))) {
        default_command = item->IsFolder() ? ID_FILE_OPEN_FOLDER : ID_FILE_OPEN_ITEM;
    }
    ShowListPopup(owner, list_, position, POPUP_FILES, default_command);
}

LRESULT CFileList::OnCustomDraw(NMLVCUSTOMDRAW& draw) const {
    const DWORD stage = draw.nmcd.dwDrawStage;
    if (stage == CDDS_PREPAINT) {
        return CDRF_NOTIFYITEMDRAW;
    }
    if (stage == CDDS_PREERASE) {
        return CDRF_SKIPDEFAULT;
    }
    if (stage == CDDS_ITEMPREPAINT) {
        RECT bounds{};
        bounds.left = LVIR_BOUNDS;
        SendMessageW(list_, LVM_GETITEMRECT, draw.nmcd.dwItemSpec,
                     reinterpret_cast<LPARAM>(&bounds));
        RECT client{};
        GetClientRect(list_, &client);
        const bool visible =
            RowTouchesClient(LayoutRect{bounds.left, bounds.top, bounds.right, bounds.bottom},
                             LayoutRect{client.left, client.top, client.right, client.bottom});
        return visible ? CDRF_NOTIFYSUBITEMDRAW : CDRF_SKIPDEFAULT;
    }
    if ((stage & CDDS_SUBITEM) != 0) {
        const auto* item = reinterpret_cast<const FileItem*>(draw.nmcd.lItemlParam);
        if (item != nullptr &&
            (item->status == ItemStatus::Done || item->status == ItemStatus::NotExists)) {
            draw.clrText = draw.iSubItem == kStatusColumn
                               ? static_cast<COLORREF>(SendMessageW(list_, LVM_GETTEXTCOLOR, 0, 0))
                               : kGreyText;
        }
        return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

void CFileList::OnDeleteItem(const NMLISTVIEW& item) {
    delete reinterpret_cast<FileItem*>(item.lParam);
}

}  // namespace vantrel
