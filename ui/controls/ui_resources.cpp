#include "ui/controls/ui_resources.h"

#include <shellapi.h>

#include "resources/resource.h"

namespace vantrel {
namespace {

using ThemeQuery = BOOL(WINAPI*)();

// UxTheme.dll and its two functions, looked up once on the user-interface thread.
struct ThemeFunctions {
    ThemeQuery is_theme_active = nullptr;
    ThemeQuery is_app_themed = nullptr;
};

const ThemeFunctions& Theme() {
    static const ThemeFunctions functions = [] {
        ThemeFunctions found;
        HMODULE library = LoadLibraryW(L"UxTheme.dll");  // kept for the process's life
        if (library != nullptr) {
            // Through void* so that no compiler sees a cast between function types.
            found.is_theme_active = reinterpret_cast<ThemeQuery>(
                reinterpret_cast<void*>(GetProcAddress(library, "IsThemeActive")));
            found.is_app_themed = reinterpret_cast<ThemeQuery>(
                reinterpret_cast<void*>(GetProcAddress(library, "IsAppThemed")));
        }
        return found;
    }();
    return functions;
}

HIMAGELIST SystemImageList(UINT size_flag) {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | size_flag));
}

}  // namespace

bool IsApplicationThemed() {
    const ThemeFunctions& theme = Theme();
    const bool active = theme.is_theme_active != nullptr && theme.is_theme_active() != FALSE;
    const bool app = theme.is_app_themed != nullptr && theme.is_app_themed() != FALSE;
    return active && app;
}

CUiResources::~CUiResources() {
    // The system image lists belong to the shell.
    small_images_ = nullptr;
    large_images_ = nullptr;
}

bool CUiResources::Initialize(HINSTANCE instance) {
    small_images_ = SystemImageList(SHGFI_SMALLICON);
    large_images_ = SystemImageList(0);
    if (small_images_ == nullptr || large_images_ == nullptr) {
        return false;
    }
    RefreshTheme();
    link_cursor_.reset(LoadCursorW(instance, MAKEINTRESOURCEW(IDCUR_LINK_HAND)));
    return true;
}

void CUiResources::RefreshTheme() {
    themed_ = IsApplicationThemed();
}

HIMAGELIST CUiResources::ImageList(int kind) const {
    switch (kind) {
        case kSmallImages:
            return small_images_;
        case kLargeImages:
            return large_images_;
        default:
            return nullptr;
    }
}

bool CUiResources::MakeFonts(HFONT font) {
    LOGFONTW logfont{};
    if (font == nullptr || GetObjectW(font, sizeof(logfont), &logfont) == 0) {
        return false;
    }
    normal_font_.reset(CreateFontIndirectW(&logfont));
    logfont.lfUnderline = 1;
    underlined_font_.reset(CreateFontIndirectW(&logfont));
    logfont.lfUnderline = 0;
    logfont.lfStrikeOut = 1;
    struck_out_font_.reset(CreateFontIndirectW(&logfont));
    logfont.lfStrikeOut = 0;
    logfont.lfWeight = FW_BOLD;
    bold_font_.reset(CreateFontIndirectW(&logfont));
    logfont.lfHeight = logfont.lfHeight + logfont.lfHeight / 2;
    large_bold_font_.reset(CreateFontIndirectW(&logfont));
    return normal_font_ && underlined_font_ && struck_out_font_ && bold_font_ && large_bold_font_;
}

}  // namespace vantrel
