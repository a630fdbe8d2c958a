#include "ui/list_view_rows.h"

#include "resources/resource.h"
#include "ui/list_rules.h"
#include "ui/win32_handles.h"

namespace vantrel {

LPARAM RowParam(HWND list, int row) {
    LVITEMW item{};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (row < 0 || !SendMessageW(list, LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) {
        return 0;
    }
    return item.lParam;
}

int FirstSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

void DeleteSelectedRows(HWND list) {
    for (;;) {
        const int row = FirstSelectedRow(list);
        if (row < 0 || !SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0)) {
            return;
        }
    }
}

void SetRowStateIndex(HWND list, int row, int index) {
    LVITEMW item{};
    item.stateMask = LVIS_STATEIMAGEMASK;
    item.state = INDEXTOSTATEIMAGEMASK(static_cast<UINT>(index));
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

void SetRowText(HWND list, int row, int column, const wchar_t* text) {
    LVITEMW item{};
    item.iSubItem = column;
    item.pszText = const_cast<wchar_t*>(text);
    SendMessageW(list, LVM_SETITEMTEXTW, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item));
}

namespace {

LayoutRect ToLayout(const RECT& rect) {
    return LayoutRect{rect.left, rect.top, rect.right, rect.bottom};
}

}  // namespace

void ShowListPopup(HWND owner, HWND list, LPARAM position, int popup_index, int default_command) {
    const int row = FirstSelectedRow(list);
    MenuPositionInput in;
    in.requested =
        MenuPoint{static_cast<short>(LOWORD(position)), static_cast<short>(HIWORD(position))};
    RECT client{};
    GetClientRect(list, &client);
    MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&client), 2);
    in.client = ToLayout(client);
    if (row >= 0) {
        RECT icon{};
        icon.left = LVIR_ICON;
        if (SendMessageW(list, LVM_GETITEMRECT, static_cast<WPARAM>(row),
                         reinterpret_cast<LPARAM>(&icon))) {
            MapWindowPoints(list, nullptr, reinterpret_cast<POINT*>(&icon), 2);
            in.has_row = true;
            in.icon = ToLayout(icon);
        }
    }
    const MenuPoint at = ChooseMenuPosition(in);

    MenuHandle menu(LoadMenuW(reinterpret_cast<HINSTANCE>(GetWindowLongPtrW(owner, GWLP_HINSTANCE)),
                              MAKEINTRESOURCEW(IDR_POPUP_MENUS)));
    if (!menu) {
        menu.reset(LoadMenuW(GetModuleHandleW(nullptr), MAKEINTRESOURCEW(IDR_POPUP_MENUS)));
    }
    if (!menu) {
        return;
    }
    HMENU popup = GetSubMenu(menu.get(), popup_index);
    if (popup == nullptr) {
        return;
    }
    if (default_command != 0) {
        SetMenuDefaultItem(popup, static_cast<UINT>(default_command), FALSE);
    }
    TrackPopupMenu(popup, TPM_RIGHTBUTTON, at.x, at.y, 0, owner, nullptr);
}

int AppendIconRow(HWND list, const std::wstring& text, int image) {
    std::wstring shown = text;  // the message takes a non-const buffer
    LVITEMW item{};
    item.mask = LVIF_TEXT | LVIF_IMAGE;
    item.iItem = static_cast<int>(SendMessageW(list, LVM_GETITEMCOUNT, 0, 0));
    item.pszText = shown.data();
    item.iImage = image;
    return static_cast<int>(
        SendMessageW(list, LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

bool AttachRowRecord(HWND list, int row, const void* record) {
    LVITEMW param{};
    param.mask = LVIF_PARAM;
    param.iItem = row;
    param.lParam = reinterpret_cast<LPARAM>(record);
    if (!SendMessageW(list, LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&param))) {
        SendMessageW(list, LVM_DELETEITEM, static_cast<WPARAM>(row), 0);
        return false;
    }
    return true;
}

}  // namespace vantrel
