#include "ui/controls/frame_dlg.h"

#include <string>

#include "resources/resource.h"
#include "ui/model/dpi_scaling.h"
#include "ui/model/tool_tip_text.h"
#include "win32/dpi.h"

namespace vantrel {
namespace {

constexpr int kToolTipStringLimit = 256;
constexpr UINT kFirstSystemCommand = 0xF000;

void EnsureCommonControls() {
    static const bool done = [] {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_WIN95_CLASSES | ICC_STANDARD_CLASSES |
                                                    ICC_BAR_CLASSES | ICC_LISTVIEW_CLASSES};
        return InitCommonControlsEx(&init) != FALSE;
    }();
    (void)done;
}

// The string resource `id`; false when there is none.
bool LoadResourceString(HINSTANCE instance, UINT id, std::wstring& text) {
    wchar_t buffer[kToolTipStringLimit + 1] = {};
    const int length = LoadStringW(instance, id, buffer, kToolTipStringLimit + 1);
    if (length <= 0) {
        return false;
    }
    text.assign(buffer, static_cast<size_t>(length));
    return true;
}

}  // namespace

CFrameDlg::CFrameDlg(int template_id, HINSTANCE instance) : CDialogBase(template_id, instance) {
    EnsureCommonControls();
}

CFrameDlg::~CFrameDlg() {
    Destroy();
}

bool CFrameDlg::OnCreate() {
    large_icon_.reset(LoadIconW(instance(), MAKEINTRESOURCEW(IDI_APP_ICON)));
    // The icon resource has pictures of several sizes: the nearest one to a small icon at
    // the window's DPI is used.
    const int small_size = ScaleForDpi(16, WindowDpi(hwnd()));
    small_icon_.reset(
        static_cast<HICON>(LoadImageW(instance(), MAKEINTRESOURCEW(IDI_APP_ICON), IMAGE_ICON,
                                      small_size, small_size, LR_DEFAULTSIZE)));
    tool_tips_ = CreateWindowExW(0, TOOLTIPS_CLASSW, nullptr, WS_POPUP | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, hwnd(),
                                 nullptr, instance(), nullptr);
    if (tool_tips_ == nullptr) {
        return false;
    }
    // Tips break lines only where their text has line breaks.
    SendMessageW(tool_tips_, TTM_SETMAXTIPWIDTH, 0, 0xFFFF);
    return true;
}

BOOL CFrameDlg::OnInitDialog() {
    SendMessageW(hwnd(), WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(large_icon_.get()));
    SendMessageW(hwnd(), WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small_icon_.get()));
    return TRUE;
}

bool CFrameDlg::PreTranslateMessage(MSG& message) {
    RelayToolTipEvent(message);
    return CDialogBase::PreTranslateMessage(message);
}

void CFrameDlg::RelayToolTipEvent(const MSG& message) {
    if (message.message != WM_MOUSEMOVE || tool_tips_ == nullptr) {
        return;
    }
    MSG relayed = message;
    POINT point = message.pt;
    HWND under = reinterpret_cast<HWND>(
        SendMessageW(tool_tips_, TTM_WINDOWFROMPOINT, 0, reinterpret_cast<LPARAM>(&point)));
    if (under != nullptr) {
        relayed.hwnd = under;
        ScreenToClient(under, &point);
        relayed.lParam = MAKELPARAM(point.x, point.y);
    }
    SendMessageW(tool_tips_, TTM_ACTIVATE, TRUE, 0);
    SendMessageW(tool_tips_, TTM_RELAYEVENT, 0, reinterpret_cast<LPARAM>(&relayed));
}

bool CFrameDlg::OnNotify(NMHDR& header, LRESULT& result) {
    if (header.code == TTN_NEEDTEXTW || header.code == TTN_NEEDTEXTA) {
        return OnToolTipNeedText(header, result);
    }
    return false;
}

bool CFrameDlg::OnToolTipNeedText(NMHDR& header, LRESULT& result) {
    // The flags follow the text buffer, whose size differs between the two forms.
    const UINT flags = header.code == TTN_NEEDTEXTW
                           ? reinterpret_cast<const NMTTDISPINFOW&>(header).uFlags
                           : reinterpret_cast<const NMTTDISPINFOA&>(header).uFlags;
    UINT_PTR id = header.idFrom;
    if ((flags & TTF_IDISHWND) != 0) {
        id = static_cast<UINT_PTR>(GetDlgCtrlID(reinterpret_cast<HWND>(header.idFrom)));
    }
    std::wstring tip;
    if (id != 0) {
        std::wstring text;
        if (id > 0xFFFF || !LoadResourceString(instance(), static_cast<UINT>(id), text)) {
            return false;  // no string: no tip, request left alone
        }
        tip = ToolTipPart(text);
    }
    if (header.code == TTN_NEEDTEXTW) {
        auto& info = reinterpret_cast<NMTTDISPINFOW&>(header);
        const size_t capacity = sizeof(info.szText) / sizeof(info.szText[0]);
        const size_t count = tip.size() < capacity - 1 ? tip.size() : capacity - 1;
        tip.copy(info.szText, count);
        info.szText[count] = L'\0';
        info.lpszText = info.szText;
        info.hinst = nullptr;
    } else {
        auto& info = reinterpret_cast<NMTTDISPINFOA&>(header);
        const int capacity = static_cast<int>(sizeof(info.szText));
        info.szText[0] = '\0';
        if (!tip.empty()) {
            int written = WideCharToMultiByte(CP_ACP, 0, tip.c_str(), static_cast<int>(tip.size()),
                                              info.szText, capacity - 1, nullptr, nullptr);
            if (written <= 0) {
                // Too long for the buffer: convert as many characters as fit.
                written = 0;
                for (size_t n = tip.size(); n > 0 && written <= 0; --n) {
                    written = WideCharToMultiByte(CP_ACP, 0, tip.c_str(), static_cast<int>(n),
                                                  info.szText, capacity - 1, nullptr, nullptr);
                }
            }
            info.szText[written > 0 ? written : 0] = '\0';
        }
        info.lpszText = info.szText;
        info.hinst = nullptr;
    }
    result = 0;
    // Above a window kept on top, tips must rise as well.
    SetWindowPos(header.hwndFrom, HWND_TOP, 0, 0, 0, 0,
                 SWP_NOSIZE | SWP_NOMOVE | SWP_NOACTIVATE | SWP_NOOWNERZORDER);
    return true;
}

bool CFrameDlg::OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) {
    switch (message) {
        case WM_PAINT:
            if (IsIconic(hwnd())) {
                PaintMinimised();
                result = 0;
                return true;
            }
            return false;
        case WM_QUERYDRAGICON:
            result = reinterpret_cast<LRESULT>(large_icon_.get());
            return true;
        case WM_INITMENUPOPUP:
            if (tool_tips_ != nullptr) {
                SendMessageW(tool_tips_, TTM_POP, 0, 0);
            }
            if (HIWORD(lparam) == 0) {  // not the system menu
                UpdatePopupMenu(reinterpret_cast<HMENU>(wparam));
            }
            result = 0;
            return true;
        default:
            return false;
    }
}

void CFrameDlg::PaintMinimised() {
    PaintScope paint(hwnd());
    SendMessageW(hwnd(), WM_ICONERASEBKGND, reinterpret_cast<WPARAM>(paint.dc()), 0);
    RECT client{};
    GetClientRect(hwnd(), &client);
    const int x = (client.right - client.left - GetSystemMetrics(SM_CXICON) + 1) / 2;
    const int y = (client.bottom - client.top - GetSystemMetrics(SM_CYICON) + 1) / 2;
    DrawIcon(paint.dc(), x, y, large_icon_.get());
}

bool CFrameDlg::ApplyCommandState(HMENU menu, UINT position, int id, bool auto_disable) {
    CommandUiState state;
    if (QueryCommandState(id, state)) {
        EnableMenuItem(menu, position, MF_BYPOSITION | (state.enabled ? MF_ENABLED : MF_GRAYED));
        if (state.checked >= 0) {
            CheckMenuItem(menu, position,
                          MF_BYPOSITION | (state.checked != 0 ? MF_CHECKED : MF_UNCHECKED));
        }
        return true;
    }
    if (HandlesCommand(id)) {
        EnableMenuItem(menu, position, MF_BYPOSITION | MF_ENABLED);
        return true;
    }
    if (auto_disable && static_cast<UINT>(id) < kFirstSystemCommand) {
        EnableMenuItem(menu, position, MF_BYPOSITION | MF_GRAYED);
        return true;
    }
    return false;
}

void CFrameDlg::UpdatePopupMenu(HMENU popup) {
    int count = GetMenuItemCount(popup);
    for (int position = 0; position < count; ++position) {
        const UINT raw_id = GetMenuItemID(popup, position);
        if (raw_id == 0) {
            continue;  // separator
        }
        if (raw_id == static_cast<UINT>(-1)) {
            // A sub-popup entry follows its first entry, without auto-disable.
            HMENU sub = GetSubMenu(popup, position);
            if (sub == nullptr) {
                continue;
            }
            const UINT first = GetMenuItemID(sub, 0);
            if (first == 0 || first == static_cast<UINT>(-1)) {
                continue;
            }
            CommandUiState state;
            bool enabled = true;
            if (QueryCommandState(static_cast<int>(first), state)) {
                enabled = state.enabled;
            } else if (HandlesCommand(static_cast<int>(first))) {
                enabled = true;
            } else {
                continue;
            }
            EnableMenuItem(popup, static_cast<UINT>(position),
                           MF_BYPOSITION | (enabled ? MF_ENABLED : MF_GRAYED));
            continue;
        }
        ApplyCommandState(popup, static_cast<UINT>(position), static_cast<int>(raw_id),
                          auto_disable_);
        // A rule may have removed entries: go on with the one after the evaluated entry.
        const int new_count = GetMenuItemCount(popup);
        if (new_count < count) {
            position -= count - new_count;
            if (position < -1) {
                position = -1;
            }
            count = new_count;
        }
    }
}

}  // namespace vantrel
