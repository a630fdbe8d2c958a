#include "ui/controls/list_view_rows.h"

#include "resources/resource.h"
#include "ui/model/list_rules.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace vantrel {

int FirstSelectedRow(HWND list) {
    return static_cast<int>(
        SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_SELECTED, 0)));
}

std::vector<int> SelectedRows(HWND list) {
    std::vector<int> rows;
    if (list == nullptr) {
        return rows;
    }
    int row = -1;
    for (;;) {
        row = static_cast<int>(SendMessageW(list, LVM_GETNEXTITEM, static_cast<WPARAM>(row),
                                            MAKELPARAM(LVNI_SELECTED, 0)));
        if (row < 0 || (!rows.empty() && row <= rows.back())) {
            return rows;
        }
        rows.push_back(row);
    }
}

void SelectOnly(HWND list, const std::vector<int>& rows) {
    LVITEMW item{};
    item.stateMask = LVIS_SELECTED;
    item.state = 0;
    SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(-1), reinterpret_cast<LPARAM>(&item));
    item.state = LVIS_SELECTED;
    for (int row : rows) {
        SendMessageW(list, LVM_SETITEMSTATE, static_cast<WPARAM>(row),
                     reinterpret_cast<LPARAM>(&item));
    }
}

void CopyCellText(LVITEMW& item, const std::wstring& text) {
    if (item.pszText == nullptr || item.cchTextMax <= 0) {
        return;
    }
    const size_t room = static_cast<size_t>(item.cchTextMax) - 1;
    const size_t length = text.size() < room ? text.size() : room;
    text.copy(item.pszText, length);
    item.pszText[length] = L'\0';
}

void SetStateImage(LVITEMW& item, int index) {
    item.state =
        (item.state & ~LVIS_STATEIMAGEMASK) | INDEXTOSTATEIMAGEMASK(static_cast<UINT>(index));
    item.stateMask |= LVIS_STATEIMAGEMASK;
}

void RedrawRow(HWND list, int row) {
    if (row >= 0) {
        SendMessageW(list, LVM_REDRAWITEMS, static_cast<WPARAM>(row), row);
    }
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
    in.dpi = WindowDpi(list);
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

}  // namespace vantrel
