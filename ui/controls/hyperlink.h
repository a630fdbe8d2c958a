#pragma once

#include <windows.h>

#include <string>

namespace vantrel {

// A push button (BS_OWNERDRAW) shown as a text link. The control is subclassed for the
// cursor, the hover tracking and the background; the parent forwards WM_DRAWITEM to
// DrawItem and the button's BN_CLICKED to OnClicked. Fonts and the cursor belong to the
// owner and must outlive the control.
class CHyperLink {
  public:
    CHyperLink();
    virtual ~CHyperLink();
    CHyperLink(const CHyperLink&) = delete;
    CHyperLink& operator=(const CHyperLink&) = delete;

    // Binds the object to an existing button; false when the window cannot be subclassed.
    bool Attach(HWND button);
    void Detach();
    HWND hwnd() const { return hwnd_; }

    // target: what a click opens (nullptr: nothing, the click goes to the parent).
    // text: the new window text, or nullptr to keep it. Repaints the control with erase.
    void SetLink(const wchar_t* target, const wchar_t* text);
    // Fits the control's width to its text (single-line links only).
    void SizeToText();

    void SetHoverFont(HFONT font) { hover_font_ = font; }
    void SetBackgroundColour(COLORREF colour) { background_colour_ = colour; }
    void SetTransparent(bool transparent) { transparent_ = transparent ? 1 : 0; }
    // The cursor shown over the link; without one the system's hand cursor.
    void SetLinkCursor(HCURSOR cursor) { cursor_ = cursor; }

    // The owner-draw step for this control.
    void DrawItem(const DRAWITEMSTRUCT& item);
    // The button's BN_CLICKED as the parent received it. Opens the target and returns true;
    // with an empty target returns false, so the parent treats the click as its command.
    bool OnClicked();

    bool Hovering() const { return hovering_ != 0; }
    const std::wstring& Target() const { return target_; }
    HFONT HoverFont() const { return hover_font_; }

  protected:
    // Asks for one WM_MOUSELEAVE. Virtual so tests can count the requests.
    virtual void RequestLeaveNotification();
    // Opens the target with the shell. Virtual so tests need not start a browser.
    virtual void OpenTarget();

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR data);
    bool HandleMessage(UINT message, WPARAM wparam, LPARAM lparam, LRESULT& result);
    void PaintParentBackground(HDC dc);
    HFONT OwnFont() const;

    HWND hwnd_ = nullptr;
    HFONT hover_font_ = nullptr;
    COLORREF background_colour_;
    std::wstring target_;
    int hovering_ = 0;
    int transparent_ = 1;
    HCURSOR cursor_ = nullptr;
};

}  // namespace vantrel
