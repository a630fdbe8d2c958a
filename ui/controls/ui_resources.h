#pragma once

#include <windows.h>
#include <commctrl.h>

#include "win32/handles.h"

namespace vantrel {

// The process-wide display resources: the shell's system image lists (shared with the
// shell, never destroyed), the themed flag, five fonts derived from the main window's font,
// and the hyperlink cursor. Created and changed on the user-interface thread only.
class CUiResources {
  public:
    enum ImageListKind { kSmallImages = 1, kLargeImages = 2 };

    CUiResources() = default;
    ~CUiResources();
    CUiResources(const CUiResources&) = delete;
    CUiResources& operator=(const CUiResources&) = delete;

    // System image lists, themed flag, link cursor. False when either image list cannot be
    // had (the program then does not start).
    bool Initialize(HINSTANCE instance);
    // Normal, underlined, struck-out, bold and large bold fonts from `font`.
    bool MakeFonts(HFONT font);
    // Re-reads the themed flag (after WM_SYSCOLORCHANGE).
    void RefreshTheme();

    bool Themed() const { return themed_; }
    HIMAGELIST ImageList(int kind) const;
    // The system's icon list whose size is nearest to a small icon at `dpi` (the small
    // list itself at 96 DPI); all system lists share their icon indices.
    HIMAGELIST SmallImageListForDpi(int dpi) const;
    HFONT NormalFont() const { return normal_font_.get(); }
    HFONT UnderlinedFont() const { return underlined_font_.get(); }
    HFONT StruckOutFont() const { return struck_out_font_.get(); }
    HFONT BoldFont() const { return bold_font_.get(); }
    HFONT LargeBoldFont() const { return large_bold_font_.get(); }
    HCURSOR LinkCursor() const { return link_cursor_.get(); }

  private:
    HIMAGELIST small_images_ = nullptr;  // the shell's; let go, not destroyed
    HIMAGELIST large_images_ = nullptr;
    bool themed_ = false;
    FontHandle normal_font_;
    FontHandle underlined_font_;
    FontHandle struck_out_font_;
    FontHandle bold_font_;
    FontHandle large_bold_font_;
    CursorHandle link_cursor_;
};

// Whether visual styles are active for the application: IsThemeActive and IsAppThemed of
// UxTheme.dll, which is loaded by name once per process; false without the library.
bool IsApplicationThemed();

}  // namespace vantrel
