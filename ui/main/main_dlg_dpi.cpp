// The main window on a monitor with another DPI: WM_DPICHANGED scales the controls, remakes
// the fonts, image lists and toolbars at the new DPI, scales the column widths and lays the
// window out in the rectangle the system suggests.

#include "ui/main/main_dlg.h"

#include "ui/controls/ui_resources.h"
#include "ui/model/dpi_scaling.h"
#include "win32/system_function.h"

namespace vantrel {
namespace {

LayoutRect Rescaled(const RECT& rect, int from_dpi, int to_dpi) {
    return {RescaleForDpi(rect.left, from_dpi, to_dpi), RescaleForDpi(rect.top, from_dpi, to_dpi),
            RescaleForDpi(rect.right, from_dpi, to_dpi),
            RescaleForDpi(rect.bottom, from_dpi, to_dpi)};
}

void MoveTo(HWND window, const LayoutRect& rect) {
    SetWindowPos(window, nullptr, rect.left, rect.top, rect.Width(), rect.Height(),
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void RescaleColumns(HWND list, int from_dpi, int to_dpi) {
    const int count = static_cast<int>(SendMessageW(
        reinterpret_cast<HWND>(SendMessageW(list, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
    for (int column = 0; column < count; ++column) {
        const int width = static_cast<int>(SendMessageW(list, LVM_GETCOLUMNWIDTH, column, 0));
        SendMessageW(list, LVM_SETCOLUMNWIDTH, column,
                     MAKELPARAM(RescaleForDpi(width, from_dpi, to_dpi), 0));
    }
}

}  // namespace

void CMainDlg::KeepDialogScalingOwn() {
    // Without this the dialog manager of newer systems would scale the template's controls
    // and fonts by itself, and this window's own layout and fonts would fight it.
    using SetBehavior = BOOL(WINAPI*)(HWND, int, int);
    constexpr int kDisableAll = 1;  // DDC_DISABLE_ALL
    const auto set_behavior =
        SystemFunction<SetBehavior>(GetModuleHandleW(L"user32.dll"), "SetDialogDpiChangeBehavior");
    if (set_behavior != nullptr) {
        set_behavior(hwnd(), kDisableAll, kDisableAll);
    }
}

void CMainDlg::SetFonts() {
    if (!resources_.MakeFonts(reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0)))) {
        return;
    }
    const auto normal = reinterpret_cast<WPARAM>(resources_.NormalFont());
    SendMessageW(menu_toolbar_, WM_SETFONT, normal, TRUE);
    SendMessageW(folder_toolbar_, WM_SETFONT, normal, TRUE);
    SendMessageW(Item(IDC_SCAN), WM_SETFONT, reinterpret_cast<WPARAM>(resources_.BoldFont()), TRUE);
}

void CMainDlg::ScaleChildren(int from_dpi, int to_dpi) {
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        if (child == menu_toolbar_ || child == folder_toolbar_ || GetParent(child) != hwnd()) {
            continue;  // the toolbars are made anew; owned pop-ups are not children
        }
        RECT rect{};
        if (child == preset_combo_.hwnd()) {
            // A combo's window height is its dropped-down height; its fields have their own.
            SendMessageW(child, CB_GETDROPPEDCONTROLRECT, 0, reinterpret_cast<LPARAM>(&rect));
            const int field =
                static_cast<int>(SendMessageW(child, CB_GETITEMHEIGHT, static_cast<WPARAM>(-1), 0));
            SendMessageW(child, CB_SETITEMHEIGHT, static_cast<WPARAM>(-1),
                         RescaleForDpi(field, from_dpi, to_dpi));
            SendMessageW(child, CB_SETITEMHEIGHT, 0, ScaleForDpi(kPresetItemHeight, to_dpi));
        } else {
            GetWindowRect(child, &rect);
        }
        MapWindowPoints(nullptr, hwnd(), reinterpret_cast<POINT*>(&rect), 2);
        MoveTo(child, Rescaled(rect, from_dpi, to_dpi));
    }
}

void CMainDlg::ScaleFonts(int from_dpi, int to_dpi) {
    LOGFONTW logfont{};
    const auto current = reinterpret_cast<HFONT>(SendMessageW(hwnd(), WM_GETFONT, 0, 0));
    if (current == nullptr || GetObjectW(current, sizeof(logfont), &logfont) == 0) {
        return;
    }
    logfont.lfHeight = RescaleForDpi(logfont.lfHeight, from_dpi, to_dpi);
    logfont.lfWidth = RescaleForDpi(logfont.lfWidth, from_dpi, to_dpi);
    FontHandle font(CreateFontIndirectW(&logfont));
    if (!font) {
        return;
    }
    const auto handle = reinterpret_cast<WPARAM>(font.get());
    SendMessageW(hwnd(), WM_SETFONT, handle, FALSE);
    for (HWND child = GetWindow(hwnd(), GW_CHILD); child != nullptr;
         child = GetWindow(child, GW_HWNDNEXT)) {
        SendMessageW(child, WM_SETFONT, handle, FALSE);
    }
    SetFonts();
    dialog_font_ = std::move(font);  // the earlier one is no longer used by any control
}

void CMainDlg::OnDpiChanged(int dpi, const RECT& suggested) {
    const int old_dpi = dpi_;
    if (dpi > 0 && dpi != old_dpi && file_list_.hwnd() != nullptr) {
        dpi_ = dpi;
        ScaleChildren(old_dpi, dpi);
        DestroyWindow(menu_toolbar_);
        DestroyWindow(folder_toolbar_);
        menu_toolbar_ = nullptr;
        folder_toolbar_ = nullptr;
        // The lists let go of the old images before they are destroyed.
        ImageListHandle old_states = std::move(state_images_);
        ImageListHandle old_arrows = std::move(sort_arrows_);
        ImageListHandle old_toolbar_images = std::move(folder_toolbar_images_);
        CreateMenuToolbar();
        CreateFolderToolbar();
        CreateImageLists();
        SetListImages();
        ScaleFonts(old_dpi, dpi);
        RescaleColumns(folder_list_.hwnd(), old_dpi, dpi);
        RescaleColumns(file_list_.hwnd(), old_dpi, dpi);
    }
    SetWindowPos(hwnd(), nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
                 suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
    LayOut();
}

}  // namespace vantrel
