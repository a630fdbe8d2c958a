#pragma once

#include <windows.h>

#include <functional>

#include "ui/controls/dialog_base.h"
#include "ui/controls/hyperlink.h"

namespace vantrel {

class CUiResources;

// The About box (template 100): title line, version, description and two links, the web
// site (opened by the link itself) and the support mailbox (reaching the dialog as its
// command, which writes the support mail).
class CAboutDlg : public CDialogBase {
  public:
    // send_mail runs for the mailbox link; the default is SendSupportMail.
    explicit CAboutDlg(const CUiResources& resources, std::function<void()> send_mail = {});

    CHyperLink& WebLink() { return web_link_; }
    CHyperLink& MailLink() { return mail_link_; }

  protected:
    BOOL OnInitDialog() override;
    bool OnCommand(int id, int code, HWND control) override;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    void OnDestroy() override;

  private:
    void SetUpLink(CHyperLink& link, int id, const wchar_t* target, const wchar_t* text);

    const CUiResources& resources_;
    std::function<void()> send_mail_;
    CHyperLink web_link_;
    CHyperLink mail_link_;
};

// The "About..." command: runs the About box modally over `owner`.
void RunAboutDialog(HWND owner, const CUiResources& resources);

}  // namespace vantrel
