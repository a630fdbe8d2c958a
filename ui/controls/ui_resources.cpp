#include "ui/controls/ui_resources.h"

#include <shellapi.h>

#include "resources/resource.h"
#include "ui/model/dpi_scaling.h"
#include "win32/system_function.h"

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
        found.is_theme_active = SystemFunction<ThemeQuery>(library, "IsThemeActive");
        found.is_app_themed = SystemFunction<ThemeQuery>(library, "IsAppThemed");
        return found;
    }();
    return functions;
}

HIMAGELIST SystemImageList(UINT size_flag) {
    SHFILEINFOW info{};
    return reinterpret_cast<HIMAGELIST>(
        SHGetFileInfoW(L"C:\\", 0, &info, sizeof(info), SHGFI_SYSICONINDEX | size_flag));
}

// The shell's icon list of one kind (SHIL_SMALL, SHIL_LARGE, SHIL_EXTRALARGE) from
// SHGetImageList, looked up at run time (by ordinal on systems that do not export its name).
HIMAGELIST ShellImageList(int kind) {
    using GetImageList = HRESULT(WINAPI*)(int, REFIID, void**);
    static const GetImageList get_image_list = [] {
        HMODULE shell32 = GetModuleHandleW(L"shell32.dll");
        const auto found = SystemFunction<GetImageList>(shell32, "SHGetImageList");
        return found != nullptr ? found
                                : SystemFunction<GetImageList>(shell32, MAKEINTRESOURCEA(727));
    }();
    // IID_IImageList; the interface pointer is the list's handle.
    static const GUID kImageListInterface = {
        0x46eb5926, 0x582e, 0x4017, {0x9f, 0xdf, 0xe8, 0x99, 0x8d, 0xaa, 0x09, 0x50}};
    void* list = nullptr;
    if (get_image_list == nullptr || FAILED(get_image_list(kind, kImageListInterface, &list))) {
        return nullptr;
    }
    return static_cast<HIMAGELIST>(list);
}

int IconWidth(HIMAGELIST list) {
    int width = 0;
    int height = 0;
    return list != nullptr && ImageList_GetIconSize(list, &width, &height) ? width : 0;
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

HIMAGELIST CUiResources::SmallImageListForDpi(int dpi) const {
    constexpr int kSmallIconSize = 16;  // at 96 DPI
    const int wanted = ScaleForDpi(kSmallIconSize, dpi);
    if (dpi == kDefaultDpi || wanted == IconWidth(small_images_)) {
        return small_images_;
    }
    // SHIL_LARGE 0, SHIL_SMALL 1, SHIL_EXTRALARGE 2: the shell keeps them for the process.
    const HIMAGELIST lists[] = {small_images_, ShellImageList(0), ShellImageList(2)};
    const int chosen =
        NearestIconSize(wanted, {IconWidth(lists[0]), IconWidth(lists[1]), IconWidth(lists[2])});
    for (HIMAGELIST list : lists) {
        if (list != nullptr && IconWidth(list) == chosen) {
            return list;
        }
    }
    return small_images_;
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
