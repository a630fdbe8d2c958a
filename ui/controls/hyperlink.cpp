#include "ui/controls/hyperlink.h"

#include <commctrl.h>
#include <shellapi.h>

#include "ui/controls/hyperlink_rules.h"
#include "ui/controls/window_text.h"
#include "win32/dpi.h"

namespace vantrel {
namespace {

constexpr UINT_PTR kSubclassId = 0x4C4E4B31;  // one subclass per control

// Restores a device context's text colours, background mode and font at scope end.
class DrawStateScope {
  public:
    explicit DrawStateScope(HDC dc)
        : dc_(dc),
          mode_(GetBkMode(dc)),
          background_(GetBkColor(dc)),
          text_(GetTextColor(dc)),
          font_(static_cast<HFONT>(GetCurrentObject(dc, OBJ_FONT))) {}
    ~DrawStateScope() {
        SetBkMode(dc_, mode_);
        SetBkColor(dc_, background_);
        SetTextColor(dc_, text_);
        SelectObject(dc_, font_);
    }
    DrawStateScope(const DrawStateScope&) = delete;
    DrawStateScope& operator=(const DrawStateScope&) = delete;

  private:
    HDC dc_;
    int mode_;
    COLORREF background_;
    COLORREF text_;
    HFONT font_;
};

}  // namespace

CHyperLink::CHyperLink() : background_colour_(GetSysColor(COLOR_WINDOW)) {}

CHyperLink::~CHyperLink() {
    Detach();
}

bool CHyperLink::Attach(HWND button) {
    Detach();
    if (button == nullptr || !SetWindowSubclass(button, &CHyperLink::SubclassProc, kSubclassId,
                                                reinterpret_cast<DWORD_PTR>(this))) {
        return false;
    }
    hwnd_ = button;
    return true;
}

void CHyperLink::Detach() {
    if (hwnd_ != nullptr) {
        RemoveWindowSubclass(hwnd_, &CHyperLink::SubclassProc, kSubclassId);
        hwnd_ = nullptr;
    }
    hovering_ = 0;
}

void CHyperLink::SetLink(const wchar_t* target, const wchar_t* text) {
    target_ = target != nullptr ? target : L"";
    if (hwnd_ == nullptr) {
        return;
    }
    if (text != nullptr) {
        SetWindowTextW(hwnd_, text);
    }
    InvalidateRect(hwnd_, nullptr, TRUE);
}

HFONT CHyperLink::OwnFont() const {
    return reinterpret_cast<HFONT>(SendMessageW(hwnd_, WM_GETFONT, 0, 0));
}

void CHyperLink::SizeToText() {
    if (hwnd_ == nullptr || (GetWindowLongPtrW(hwnd_, GWL_STYLE) & BS_MULTILINE) != 0) {
        return;
    }
    RECT bounds{};
    GetWindowRect(hwnd_, &bounds);
    MapWindowPoints(HWND_DESKTOP, GetParent(hwnd_), reinterpret_cast<POINT*>(&bounds), 2);

    const std::wstring text = GetWindowTextString(hwnd_);
    SIZE extent{};
    HDC dc = GetDC(hwnd_);
    if (dc == nullptr) {
        return;
    }
    {
        const HFONT font = OwnFont();
        const HGDIOBJ previous = font != nullptr ? SelectObject(dc, font) : nullptr;
        GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
        if (previous != nullptr) {
            SelectObject(dc, previous);
        }
    }
    ReleaseDC(hwnd_, dc);
    SetWindowPos(hwnd_, nullptr, bounds.left, bounds.top,
                 HyperLinkWidthForText(extent.cx, WindowDpi(hwnd_)), bounds.bottom - bounds.top,
                 SWP_NOZORDER | SWP_NOACTIVATE);
}

void CHyperLink::PaintParentBackground(HDC dc) {
    const HWND parent = GetParent(hwnd_);
    RECT bounds{};
    GetWindowRect(hwnd_, &bounds);
    MapWindowPoints(HWND_DESKTOP, parent, reinterpret_cast<POINT*>(&bounds), 2);
    DrawStateScope saved(dc);
    POINT origin{};
    SetWindowOrgEx(dc, bounds.left, bounds.top, &origin);
    SendMessageW(parent, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0);
    SetWindowOrgEx(dc, origin.x, origin.y, nullptr);
}

void CHyperLink::DrawItem(const DRAWITEMSTRUCT& item) {
    HDC dc = item.hDC;
    RECT area = item.rcItem;
    if (transparent_ != 0) {
        PaintParentBackground(dc);
    } else {
        SetBkColor(dc, background_colour_);
        ExtTextOutW(dc, 0, 0, ETO_OPAQUE, &area, nullptr, 0, nullptr);
    }

    const std::wstring text = GetWindowTextString(item.hwndItem);
    if (!text.empty()) {
        RECT text_area = area;
        InflateRect(&text_area, -HyperLinkTextMargin(WindowDpi(item.hwndItem)), 0);
        DrawStateScope saved(dc);
        SetBkColor(dc, background_colour_);
        const HFONT own_font =
            reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
        const HyperLinkLook look = ChooseHyperLinkLook(hovering_ != 0, hover_font_, own_font);
        SetTextColor(dc, look.text_colour);
        if (look.font != nullptr) {
            SelectObject(dc, look.font);
        }
        SetBkMode(dc, TRANSPARENT);
        const UINT format = HyperLinkTextFormat(GetWindowLongPtrW(item.hwndItem, GWL_STYLE));
        DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &text_area, format);
    }

    if ((item.itemState & ODS_FOCUS) != 0) {
        DrawFocusRect(dc, &area);
    }
}

bool CHyperLink::OnClicked() {
    if (target_.empty()) {
        return false;
    }
    OpenTarget();
    return true;
}

void CHyperLink::OpenTarget() {
    // Nothing to report when no browser or mail program is registered.
    ShellExecuteW(nullptr, L"open", target_.c_str(), nullptr, nullptr, SW_SHOWNORMAL);
}

void CHyperLink::RequestLeaveNotification() {
    TRACKMOUSEEVENT track{};
    track.cbSize = sizeof(track);
    track.dwFlags = TME_LEAVE;
    track.hwndTrack = hwnd_;
    _TrackMouseEvent(&track);
}

bool CHyperLink::HandleMessage(UINT message, WPARAM, LPARAM, LRESULT& result) {
    switch (message) {
        case WM_SETCURSOR:
            SetCursor(cursor_ != nullptr ? cursor_ : LoadCursorW(nullptr, IDC_HAND));
            result = TRUE;
            return true;
        case WM_ERASEBKGND:
            // The drawing step paints the background, lined up with the parent's.
            result = TRUE;
            return true;
        case WM_MOUSEMOVE:
            if (hovering_ == 0) {
                RequestLeaveNotification();
                hovering_ = 1;
                InvalidateRect(hwnd_, nullptr, FALSE);
            }
            return false;  // the button's own processing follows
        case WM_MOUSELEAVE:
            if (hovering_ != 0) {
                hovering_ = 0;
                InvalidateRect(hwnd_, nullptr, FALSE);
            }
            result = 0;
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK CHyperLink::SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                          UINT_PTR, DWORD_PTR data) {
    auto* self = reinterpret_cast<CHyperLink*>(data);
    try {
        if (message == WM_NCDESTROY) {
            RemoveWindowSubclass(window, &CHyperLink::SubclassProc, kSubclassId);
            if (self != nullptr && self->hwnd_ == window) {
                self->hwnd_ = nullptr;
                self->hovering_ = 0;
            }
        } else if (self != nullptr) {
            LRESULT result = 0;
            if (self->HandleMessage(message, wparam, lparam, result)) {
                return result;
            }
        }
    } catch (...) {
        // Nothing may unwind into the window manager; fall through to the default.
    }
    return DefSubclassProc(window, message, wparam, lparam);
}

}  // namespace vantrel
