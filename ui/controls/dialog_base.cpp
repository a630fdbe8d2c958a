#include "ui/controls/dialog_base.h"

namespace vantrel {
namespace {

// Messages whose dialog-procedure result is the value itself rather than a handled flag
// with the value in DWLP_MSGRESULT.
bool ReturnsValueDirectly(UINT message) {
    switch (message) {
        case WM_CTLCOLORMSGBOX:
        case WM_CTLCOLOREDIT:
        case WM_CTLCOLORLISTBOX:
        case WM_CTLCOLORBTN:
        case WM_CTLCOLORDLG:
        case WM_CTLCOLORSCROLLBAR:
        case WM_CTLCOLORSTATIC:
        case WM_COMPAREITEM:
        case WM_VKEYTOITEM:
        case WM_CHARTOITEM:
        case WM_QUERYDRAGICON:
        case WM_INITDIALOG:
            return true;
        default:
            return false;
    }
}

// The caret blink timer; like painting it says nothing about the user's activity.
constexpr UINT kSystemTimerMessage = 0x0118;

}  // namespace

CDialogBase::CDialogBase(int template_id, HINSTANCE instance)
    : template_id_(template_id),
      instance_(instance != nullptr ? instance : GetModuleHandleW(nullptr)) {}

CDialogBase::~CDialogBase() {
    if (hwnd_ != nullptr) {
        // The derived part is gone: no handler may run for the remaining messages.
        SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
        DestroyWindow(hwnd_);
        hwnd_ = nullptr;
    }
}

HWND CDialogBase::CreateModeless(HWND owner) {
    if (hwnd_ != nullptr) {
        return nullptr;
    }
    create_failed_ = false;
    ended_ = false;
    result_ = 0;
    const LPARAM self = reinterpret_cast<LPARAM>(this);
    HWND window = memory_template_ != nullptr
                      ? CreateDialogIndirectParamW(instance_, memory_template_, owner,
                                                   &CDialogBase::DialogProc, self)
                      : CreateDialogParamW(instance_, MAKEINTRESOURCEW(template_id_), owner,
                                           &CDialogBase::DialogProc, self);
    if (create_failed_ || window == nullptr) {
        if (hwnd_ != nullptr) {
            DestroyWindow(hwnd_);
        } else if (window != nullptr && IsWindow(window)) {
            DestroyWindow(window);
        }
        hwnd_ = nullptr;
        return nullptr;
    }
    return window;
}

void CDialogBase::Destroy() {
    if (hwnd_ != nullptr) {
        DestroyWindow(hwnd_);  // WM_NCDESTROY clears hwnd_
        hwnd_ = nullptr;
    }
}

INT_PTR CDialogBase::RunModal(HWND owner) {
    modal_ = true;
    running_ = true;
    if (CreateModeless(owner) == nullptr) {
        modal_ = false;
        running_ = false;
        return -1;
    }
    const bool reenable_owner = owner != nullptr && IsWindowEnabled(owner);
    if (reenable_owner) {
        EnableWindow(owner, FALSE);
    }

    bool idle_pending = true;
    MSG message{};
    while (running_ && hwnd_ != nullptr) {
        if (idle_pending && !PeekMessageW(&message, nullptr, 0, 0, PM_NOREMOVE)) {
            idle_pending = false;
            OnIdle();
            continue;
        }
        const BOOL got = GetMessageW(&message, nullptr, 0, 0);
        if (got == 0) {
            // Leave WM_QUIT for whichever loop is outside this one.
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        if (got == -1) {
            break;
        }
        FilterAndDispatch(message);
        if (message.message != WM_PAINT && message.message != kSystemTimerMessage) {
            idle_pending = true;
        }
    }
    if (!ended_) {
        result_ = -1;
    }

    // Re-enable the owner before the dialog goes, so that activation returns to it.
    if (reenable_owner) {
        EnableWindow(owner, TRUE);
    }
    if (owner != nullptr && hwnd_ != nullptr && GetActiveWindow() == hwnd_) {
        SetActiveWindow(owner);
    }
    Destroy();
    modal_ = false;
    running_ = false;
    return result_;
}

void CDialogBase::EndModal(INT_PTR result) {
    result_ = result;
    ended_ = true;
    if (modal_) {
        running_ = false;
        if (hwnd_ != nullptr) {
            PostMessageW(hwnd_, WM_NULL, 0, 0);  // wake the loop if it is waiting
        }
    }
}

void CDialogBase::PumpPendingMessages() {
    MSG message{};
    while (PeekMessageW(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message == WM_QUIT) {
            PostQuitMessage(static_cast<int>(message.wParam));
            break;
        }
        FilterAndDispatch(message);
    }
    if (hwnd_ != nullptr) {
        OnIdle();
    }
}

bool CDialogBase::FilterAndDispatch(MSG& message) {
    if (PreTranslateMessage(message)) {
        return true;
    }
    TranslateMessage(&message);
    DispatchMessageW(&message);
    return false;
}

bool CDialogBase::PreTranslateMessage(MSG& message) {
    return hwnd_ != nullptr && IsDialogMessageW(hwnd_, &message);
}

bool CDialogBase::OnCommand(int id, int code, HWND) {
    if (code != BN_CLICKED && code != 1) {
        return false;
    }
    if (id == IDOK) {
        OnOK();
        return true;
    }
    if (id == IDCANCEL) {
        OnCancel();
        return true;
    }
    return false;
}

bool CDialogBase::OnNotify(NMHDR&, LRESULT&) {
    return false;
}

void CDialogBase::OnSize(UINT, int, int) {}

bool CDialogBase::OnMessage(UINT, WPARAM, LPARAM, LRESULT&) {
    return false;
}

INT_PTR CDialogBase::HandleMessage(UINT message, WPARAM wparam, LPARAM lparam) {
    switch (message) {
        case WM_INITDIALOG:
            if (!OnCreate()) {
                create_failed_ = true;
                return FALSE;
            }
            return OnInitDialog();
        case WM_COMMAND:
            return OnCommand(LOWORD(wparam), HIWORD(wparam), reinterpret_cast<HWND>(lparam))
                       ? TRUE
                       : FALSE;
        case WM_NOTIFY: {
            LRESULT result = 0;
            if (OnNotify(*reinterpret_cast<NMHDR*>(lparam), result)) {
                SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
                return TRUE;
            }
            return FALSE;
        }
        case WM_SIZE:
            OnSize(static_cast<UINT>(wparam), static_cast<short>(LOWORD(lparam)),
                   static_cast<short>(HIWORD(lparam)));
            return FALSE;
        case WM_DESTROY:
            OnDestroy();
            return FALSE;
        case WM_NCDESTROY:
            SetWindowLongPtrW(hwnd_, DWLP_USER, 0);
            hwnd_ = nullptr;
            return FALSE;
        default:
            break;
    }
    LRESULT result = 0;
    if (!OnMessage(message, wparam, lparam, result)) {
        return FALSE;
    }
    if (ReturnsValueDirectly(message)) {
        return static_cast<INT_PTR>(result);
    }
    SetWindowLongPtrW(hwnd_, DWLP_MSGRESULT, result);
    return TRUE;
}

INT_PTR CALLBACK CDialogBase::DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam) {
    CDialogBase* self = nullptr;
    if (message == WM_INITDIALOG) {
        self = reinterpret_cast<CDialogBase*>(lparam);
        SetWindowLongPtrW(window, DWLP_USER, lparam);
        self->hwnd_ = window;
    } else {
        self = reinterpret_cast<CDialogBase*>(GetWindowLongPtrW(window, DWLP_USER));
    }
    if (self == nullptr) {
        return FALSE;
    }
    try {
        return self->HandleMessage(message, wparam, lparam);
    } catch (...) {
        // Nothing may unwind into the dialog manager; the message counts as unhandled.
        return FALSE;
    }
}

}  // namespace vantrel
