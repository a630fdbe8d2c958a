#pragma once

#include <windows.h>

namespace vantrel {

// The one dialog base of the program. A static dialog procedure stores `this` in DWLP_USER
// at WM_INITDIALOG and forwards every message to the virtual handlers below; results of
// notifications are returned through DWLP_MSGRESULT. No exception leaves the procedure.
//
// RunModal owns the modal loop (owner disabled, GetMessage, PreTranslateMessage filter,
// IsDialogMessage, OnIdle when the queue has run empty); DialogBox offers neither the filter
// nor the idle step. CreateModeless makes the same window without a loop, which is how the
// in-process tests drive dialogs; they pump with PumpPendingMessages.
//
// Dialog procedures never see WM_CREATE; OnCreate runs first thing at WM_INITDIALOG instead,
// when the template's controls exist, and a false result ends the dialog with -1 before
// OnInitDialog runs.
class CDialogBase {
  public:
    explicit CDialogBase(int template_id, HINSTANCE instance = nullptr);
    virtual ~CDialogBase();
    CDialogBase(const CDialogBase&) = delete;
    CDialogBase& operator=(const CDialogBase&) = delete;

    // Creates the dialog and runs it until EndModal; returns the EndModal result, or -1 when
    // the dialog could not be created. The window is destroyed on return.
    INT_PTR RunModal(HWND owner);
    // Creates the dialog without a loop; nullptr when creation failed.
    HWND CreateModeless(HWND owner);
    // Destroys the window if it exists.
    void Destroy();

    // Ends the modal loop with `result`. Without a modal loop (modeless use) the result is
    // recorded and Ended() becomes true; the window stays until Destroy.
    void EndModal(INT_PTR result);
    bool Ended() const { return ended_; }
    INT_PTR Result() const { return result_; }

    // Dispatches every message waiting in the thread's queue through the same filter as the
    // modal loop, then runs the idle step once. For modeless use (tests).
    void PumpPendingMessages();

    HWND hwnd() const { return hwnd_; }
    HWND Item(int id) const { return GetDlgItem(hwnd_, id); }
    HINSTANCE instance() const { return instance_; }

  protected:
    // Creation before the initialisation; false makes the dialog fail.
    virtual bool OnCreate() { return true; }
    // Return TRUE to let the dialog manager set the default focus.
    virtual BOOL OnInitDialog() { return TRUE; }
    // A WM_COMMAND; true when handled. The default ends the dialog on IDOK and IDCANCEL.
    virtual bool OnCommand(int id, int code, HWND control);
    // A WM_NOTIFY; true when handled, `result` then goes to DWLP_MSGRESULT.
    virtual bool OnNotify(NMHDR& header, LRESULT& result);
    virtual void OnSize(UINT type, int width, int height);
    virtual void OnDestroy() {}
    // Any other message; true when handled. `result` goes to DWLP_MSGRESULT, or is returned
    // directly for the messages whose dialog-procedure result is the value itself.
    virtual bool OnMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    // Runs for every message of the thread before it is dispatched; true consumes it. The
    // default is the dialog's keyboard navigation (IsDialogMessage).
    virtual bool PreTranslateMessage(MSG& message);
    // Runs when the modal loop's queue has run empty.
    virtual void OnIdle() {}

    virtual void OnOK() { EndModal(IDOK); }
    virtual void OnCancel() { EndModal(IDCANCEL); }

    int template_id() const { return template_id_; }
    // Uses an in-memory template instead of the resource (small dialogs built in code).
    void UseTemplate(const DLGTEMPLATE* memory_template) { memory_template_ = memory_template; }

  private:
    static INT_PTR CALLBACK DialogProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam);
    INT_PTR HandleMessage(UINT message, WPARAM wparam, LPARAM lparam);
    bool FilterAndDispatch(MSG& message);

    int template_id_;
    const DLGTEMPLATE* memory_template_ = nullptr;
    HINSTANCE instance_;
    HWND hwnd_ = nullptr;
    bool modal_ = false;
    bool running_ = false;
    bool ended_ = false;
    bool create_failed_ = false;
    INT_PTR result_ = 0;
};

}  // namespace vantrel
