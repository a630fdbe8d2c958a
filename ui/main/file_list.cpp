#include "ui/main/file_list.h"

#include <shellapi.h>

#include "resources/resource.h"
#include "ui/controls/list_view_rows.h"
#include "ui/model/list_rules.h"
#include "ui/model/status_display.h"

namespace vantrel {

namespace {

constexpr COLORREF kGreyText = RGB(128, 128, 128);

}  // namespace

std::wstring FileSizeText(int64_t size, const NumberFormatValues& format) {
    return FormatNumberWith(size / 1024, format) + L" KB";
}

std::wstring FileSizeText(int64_t size) {
    return FormatNumber(size / 1024) + L" KB";
}

std::wstring FileCellText(const FileItem& item, int column, bool show_size,
                          const NumberFormatValues& format) {
    switch (column) {
        case kFileNameColumn:
            return PathNamePart(item.path);
        case kFileExtColumn:
            return item.IsFolder() ? std::wstring() : PathExtensionKey(item.path);
        case kFileSizeColumn:
            // A matched folder shows the total of the files inside it; an empty one nothing.
            return !show_size || item.size < 0 ? std::wstring() : FileSizeText(item.size, format);
        case kFileModifiedColumn:
            return FormatFileTime(item.modified);
        case kFileFolderColumn:
            return GetParentFolder(item.path);
        case kFileStatusColumn:
            return FileStatusText(item.status);
        default:
            return std::wstring();
    }
}

std::wstring FileInfoTipText(const FileItem& item) {
    if (item.status != ItemStatus::Failed || item.reason.empty()) {
        return std::wstring();
    }
    return item.path + L"\r\n" + FileStatusText(item.status) + L": " + item.reason;
}

std::wstring ExplorerParameters(const FileItem& item) {
    return item.IsFolder() ? item.path : L"/select," + item.path;
}

int ShownStateIndex(ItemStatus status, bool animated, int frame) {
    if (animated && (status == ItemStatus::InProgress || status == ItemStatus::None)) {
        return frame + kFirstAnimationStateIndex;
    }
    return StatusStateIndex(status);
}

int CFileList::AddFileItem(const std::wstring& path, int64_t size, uint32_t attributes,
                           size_t root_length, uint64_t modified) {
    try {
        FileItem item{path, size, attributes, ItemStatus::None};
        item.root_length = root_length;
        item.modified = modified;
        store_.Append(std::move(item), ShowSizes(), true);
        return 0;
    } catch (...) {
        return -1;  // out of memory: the item is treated as not matched
    }
}

void CFileList::Refresh(bool forced) {
    const uint64_t start = GetTickCount64();
    if (!forced && start < next_refresh_ms_) {
        return;
    }
    if (RefreshVirtualList(list_, store_).count_changed) {
        UpdateFileHeader();
    }
    if (!forced && list_ != nullptr) {
        // Drawn now, so that the time taken counts the drawing.
        UpdateWindow(list_);
        next_refresh_ms_ = GetTickCount64() + RefreshPause(GetTickCount64() - start);
    }
}

void CFileList::UpdateFileHeader() {
    std::wstring text = CountedHeaderText(L"Name", RowCount());
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text.data();
    SendMessageW(list_, LVM_SETCOLUMNW, 0, reinterpret_cast<LPARAM>(&column));
}

bool CFileList::RowState(int row, FileItem& copy) const {
    return store_.ReadAt(row, [&copy](const Store::Row& shown) { copy = shown.record; });
}

std::vector<FileItem> CFileList::ShownRows() const {
    std::vector<FileItem> rows;
    rows.reserve(static_cast<size_t>(store_.Count()));
    store_.ForEachShown([&rows](RowId, const Store::Row& row) { rows.push_back(row.record); });
    return rows;
}

void CFileList::SetAnimated(RowId row, int frame) {
    const RowId before = animated_;
    animated_ = row;
    frame_ = frame;
    MoveAnimatedRow(list_, store_, before, row);
}

void CFileList::Sort(const SortState& sort) {
    SortVirtualList(list_, store_, [&sort](const FileItem& a, const FileItem& b) {
        return CompareFileRecords(a, b, sort) < 0;
    });
}

void CFileList::RemoveSelected() {
    RemoveSelectedRows(list_, store_);
    UpdateFileHeader();
}

void CFileList::RemoveAll() {
    SelectOnly(list_, {});
    store_.Clear();
    animated_ = kNoRow;
    Refresh();
    SendMessageW(list_, LVM_SETITEMCOUNT, 0, 0);
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
        // The row is found by its place: an owner-data list passes no item data.
        ItemStatus status = ItemStatus::None;
        store_.ReadAt(static_cast<int>(draw.nmcd.dwItemSpec),
                      [&status](const Store::Row& row) { status = row.record.status; });
        if (status == ItemStatus::Done || status == ItemStatus::NotExists) {
            draw.clrText = draw.iSubItem == kFileStatusColumn
                               ? static_cast<COLORREF>(SendMessageW(list_, LVM_GETTEXTCOLOR, 0, 0))
                               : kGreyText;
        }
        return CDRF_DODEFAULT;
    }
    return CDRF_DODEFAULT;
}

void CFileList::OnGetDispInfo(NMLVDISPINFOW& info) {
    LVITEMW& item = info.item;
    const RowId id = store_.IdAt(item.iItem);
    // The path, size and attributes never change; the status is read under the lock.
    const FileItem* record = nullptr;
    ItemStatus status = ItemStatus::None;
    bool show_size = false;
    store_.Read(id, [&](const Store::Row& row) {
        record = &row.record;
        status = row.record.status;
        show_size = row.flag;
    });
    if (record == nullptr) {
        return;
    }
    if ((item.mask & LVIF_TEXT) != 0) {
        if (item.iSubItem == kFileStatusColumn) {
            CopyCellText(item, FileStatusText(status));
        } else {
            CopyCellText(item, FileCellText(*record, item.iSubItem, show_size, number_format_));
        }
    }
    if ((item.mask & LVIF_IMAGE) != 0 && item.iSubItem == 0) {
        item.iImage = icons_.IconOf(record->path, record->attributes);
    }
    if ((item.mask & LVIF_STATE) != 0) {
        SetStateImage(item, ShownStateIndex(status, id == animated_, frame_));
    }
}

void CFileList::OnGetInfoTip(NMLVGETINFOTIPW& tip) const {
    FileItem copy;
    if (tip.pszText == nullptr || tip.cchTextMax <= 0 || !RowState(tip.iItem, copy)) {
        return;
    }
    const std::wstring text = FileInfoTipText(copy);
    if (text.empty()) {
        return;
    }
    // The tip is only shown: a reason too long for the list's buffer is cut.
    const size_t room = static_cast<size_t>(tip.cchTextMax) - 1;
    const size_t length = text.size() < room ? text.size() : room;
    text.copy(tip.pszText, length);
    tip.pszText[length] = L'\0';
}

}  // namespace vantrel
