#pragma once

#include <windows.h>
#include <commctrl.h>

#include "ui/controls/dialog_base.h"
#include "ui/model/command_ui_state.h"
#include "win32/handles.h"

namespace vantrel {

// A dialog that behaves like a small application frame: the program icon in both sizes,
// a tool-tip control with tips looked up by command id in the string table, and the
// enabling and checking of popup-menu entries by the derived window's rules.
class CFrameDlg : public CDialogBase {
  public:
    CFrameDlg(int template_id, HINSTANCE instance = nullptr);
    ~CFrameDlg() override;

    HWND ToolTips() const { return tool_tips_; }
    HICON LargeIcon() const { return large_icon_.get(); }
    HICON SmallIcon() const { return small_icon_.get(); }

    // Forwards a mouse move to the tool-tip control as a message of the window under the
    // pointer, so that tools registered by window handle get their tips without the control
    // subclassing them. Other messages pass untouched.
    void RelayToolTipEvent(const MSG& message);

    // Menu-entry enabling of one popup, as WM_INITMENUPOPUP does it (public for tests).
    void UpdatePopupMenu(HMENU popup);

  protected:
    bool OnCreate() override;
    BOOL OnInitDialog() override;
    bool OnNotify(NMHDR& header, LRESULT& result) override;
    bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result) override;
    bool PreTranslateMessage(MSG& message) override;

    // The derived window's enabling rule; true when it has a rule for `id`.
    virtual bool QueryCommandState(int id, CommandUiState& state) {
        (void)id;
        (void)state;
        return false;
    }
    // Whether the derived window handles command `id` (used for entries without a rule).
    virtual bool HandlesCommand(int id) const {
        (void)id;
        return false;
    }

    // Popup entries with neither a rule nor a handler are shown disabled.
    bool auto_disable_ = true;

  private:
    bool OnToolTipNeedText(NMHDR& header, LRESULT& result);
    void PaintMinimised();
    // Enables or disables (and checks) a command entry; false when nothing was decided.
    bool ApplyCommandState(HMENU menu, UINT position, int id, bool auto_disable);

    IconHandle large_icon_;
    IconHandle small_icon_;
    HWND tool_tips_ = nullptr;  // destroyed with its owner window
};

}  // namespace vantrel
