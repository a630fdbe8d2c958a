#include "ui/controls/sort_list_ctrl.h"

namespace vantrel {
namespace {

constexpr UINT_PTR kSubclassId = 0x534C;  // any id unique among this control's subclasses

}  // namespace

CSortListCtrl::~CSortListCtrl() {
    Detach();
}

bool CSortListCtrl::Attach(HWND list) {
    Detach();
    if (list == nullptr || !SetWindowSubclass(list, &CSortListCtrl::SubclassProc, kSubclassId,
                                              reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    list_ = list;
    return true;
}

void CSortListCtrl::Detach() {
    if (list_ != nullptr) {
        if (IsWindow(list_)) {
            RemoveWindowSubclass(list_, &CSortListCtrl::SubclassProc, kSubclassId);
        }
        list_ = nullptr;
    }
}

LRESULT CALLBACK CSortListCtrl::SubclassProc(HWND window, UINT message, WPARAM wparam,
                                             LPARAM lparam, UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CSortListCtrl*>(data);
    try {
        if (message == WM_NOTIFY) {
            const auto* header = reinterpret_cast<const NMHDR*>(lparam);
            if ((header->code == HDN_ITEMCLICKW || header->code == HDN_ITEMCLICKA) &&
                header->hwndFrom == ListView_GetHeader(window)) {
                self->OnHeaderClick(reinterpret_cast<const NMHEADERW*>(lparam)->iItem);
                return 0;
            }
        } else if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, &CSortListCtrl::SubclassProc, kSubclassId);
            self->list_ = nullptr;
        }
    } catch (...) {
        return 0;
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

int CSortListCtrl::RowCount() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETITEMCOUNT, 0, 0));
}

int CSortListCtrl::FirstSelected() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1),
                                         MAKELPARAM(LVNI_SELECTED, 0)));
}

int CSortListCtrl::SelectedCount() const {
    return static_cast<int>(SendMessageW(list_, LVM_GETSELECTEDCOUNT, 0, 0));
}

void CSortListCtrl::SelectAll(bool select) {
    const int count = RowCount();
    for (int row = 0; row < count; ++row) {
        LVITEMW item{};
        item.stateMask = select ? (LVIS_SELECTED | LVIS_FOCUSED) : LVIS_SELECTED;
        item.state = select ? (LVIS_SELECTED | LVIS_FOCUSED) : 0;
        SendMessageW(list_, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void CSortListCtrl::SetColumnText(int column, const std::wstring& text) {
    LVCOLUMNW info{};
    info.mask = LVCF_TEXT;
    std::wstring copy = text;
    info.pszText = copy.data();
    SendMessageW(list_, LVM_SETCOLUMNW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&info));
}

int CSortListCtrl::InsertColumn(int index, const wchar_t* text, int image, int format, int width,
                                int subitem) {
    LVCOLUMNW info{};
    std::wstring copy = text != nullptr ? text : L"";
    if (text != nullptr) {
        info.mask |= LVCF_TEXT;
        info.pszText = copy.data();
    }
    if (image != -1) {
        info.mask |= LVCF_IMAGE;
        info.iImage = image;
    }
    if (format != -1) {
        info.mask |= LVCF_FMT;
        info.fmt = format;
    }
    if (width != -1) {
        info.mask |= LVCF_WIDTH;
        info.cx = width;
    }
    if (subitem != -1) {
        info.mask |= LVCF_SUBITEM;
        info.iSubItem = subitem;
    }
    return static_cast<int>(SendMessageW(list_, LVM_INSERTCOLUMNW, static_cast<WPARAM>(index),
                                         reinterpret_cast<LPARAM>(&info)));
}

void CSortListCtrl::SetCheckAll(bool check) {
    const int count = RowCount();
    for (int row = 0; row < count; ++row) {
        ListView_SetCheckState(list_, row, check ? TRUE : FALSE);
    }
}

void CSortListCtrl::SetHeaderArrow(int column, int image) {
    HWND header = ListView_GetHeader(list_);
    HDITEMW item{};
    item.mask = HDI_FORMAT;
    if (!SendMessageW(header, HDM_GETITEMW, static_cast<WPARAM>(column),
                      reinterpret_cast<LPARAM>(&item))) {
        return;
    }
    if (image < 0) {
        item.fmt &= ~HDF_IMAGE;
    } else {
        item.mask |= HDI_IMAGE;
        item.fmt |= HDF_IMAGE | HDF_BITMAP_ON_RIGHT;
        item.iImage = image;
    }
    SendMessageW(header, HDM_SETITEMW, static_cast<WPARAM>(column),
                 reinterpret_cast<LPARAM>(&item));
}

void CSortListCtrl::OnHeaderClick(int column) {
    if (sort_allowed_ && !sort_allowed_()) {
        return;
    }
    sort_.direction = DirectionAfterClick(sort_, column);
    SetHeaderArrow(sort_.column, -1);
    sort_.column = column;
    SetHeaderArrow(column, sort_.direction > 0 ? 0 : 1);
    if (sorter_) {
        sorter_(sort_);
    }
}

}  // namespace vantrel
