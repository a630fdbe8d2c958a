#include "ui/dialogs/about_dlg.h"

#include <string>
#include <utility>

#include "config/product_links.h"
#include "resources/resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/controls/window_text.h"
#include "ui/dialogs/support_mail.h"

namespace vantrel {

CAboutDlg::CAboutDlg(const CUiResources& resources, std::function<void()> send_mail)
    : CDialogBase(IDD_ABOUT),
      resources_(resources),
      send_mail_(send_mail ? std::move(send_mail)
                           : std::function<void()>([] { SendSupportMail(); })) {}

BOOL CAboutDlg::OnInitDialog() {
    const std::wstring title = ApplicationTitle();
    SetWindowTextW(hwnd(), (GetWindowTextString(hwnd()) + L" " + title).c_str());

    const HWND heading = Item(IDC_ABOUT_TITLE);
    SendMessageW(heading, WM_SETFONT, reinterpret_cast<WPARAM>(resources_.LargeBoldFont()), TRUE);
    SetWindowTextW(heading, (title + L" " + kProductMajorVersion).c_str());
    SetDlgItemTextW(hwnd(), IDC_ABOUT_VERSION,
                    (std::wstring(L"Version ") + kProductVersion).c_str());

    SetUpLink(web_link_, IDC_ABOUT_WEB_LINK, kHomePageAddress, kHomePageAddress);
    SetUpLink(mail_link_, IDC_ABOUT_MAIL_LINK, nullptr, kSupportMailAddress);
    return TRUE;
}

void CAboutDlg::SetUpLink(CHyperLink& link, int id, const wchar_t* target, const wchar_t* text) {
    link.Attach(Item(id));
    link.SetBackgroundColour(GetSysColor(COLOR_BTNFACE));
    SendMessageW(Item(id), WM_SETFONT, reinterpret_cast<WPARAM>(resources_.NormalFont()), TRUE);
    link.SetHoverFont(resources_.UnderlinedFont());
    link.SetLinkCursor(resources_.LinkCursor());
    link.SetLink(target, text);
    link.SizeToText();
}

bool CAboutDlg::OnCommand(int id, int code, HWND control) {
    if (code == BN_CLICKED && id == IDC_ABOUT_WEB_LINK) {
        web_link_.OnClicked();
        return true;
    }
    if (code == BN_CLICKED && id == IDC_ABOUT_MAIL_LINK) {
        // The mailbox link has no target, so its click is the dialog's command.
        if (!mail_link_.OnClicked()) {
            send_mail_();
        }
        return true;
    }
    return CDialogBase::OnCommand(id, code, control);
}

bool CAboutDlg::OnMessage(UINT message, WPARAM, LPARAM lparam, LRESULT& result) {
    if (message != WM_DRAWITEM) {
        return false;
    }
    const auto& item = *reinterpret_cast<const DRAWITEMSTRUCT*>(lparam);
    CHyperLink* link = item.hwndItem == web_link_.hwnd()    ? &web_link_
                       : item.hwndItem == mail_link_.hwnd() ? &mail_link_
                                                            : nullptr;
    if (link == nullptr) {
        return false;
    }
    link->DrawItem(item);
    result = TRUE;
    return true;
}

void CAboutDlg::OnDestroy() {
    web_link_.Detach();
    mail_link_.Detach();
}

void RunAboutDialog(HWND owner, const CUiResources& resources) {
    CAboutDlg dialog(resources);
    dialog.RunModal(owner);
}

}  // namespace vantrel
