#include "win32/dpi.h"

#include "win32/system_function.h"

namespace vantrel {
namespace {

using DpiForWindow = UINT(WINAPI*)(HWND);
using MetricsForDpi = int(WINAPI*)(int, UINT);

struct DpiFunctions {
    DpiForWindow dpi_for_window = nullptr;
    MetricsForDpi metrics_for_dpi = nullptr;
};

const DpiFunctions& Functions() {
    static const DpiFunctions functions = [] {
        DpiFunctions found;
        // user32 is loaded for the process's life; no reference is taken or released.
        HMODULE user32 = GetModuleHandleW(L"user32.dll");
        found.dpi_for_window = SystemFunction<DpiForWindow>(user32, "GetDpiForWindow");
        found.metrics_for_dpi = SystemFunction<MetricsForDpi>(user32, "GetSystemMetricsForDpi");
        return found;
    }();
    return functions;
}

int ScreenDpi() {
    HDC screen = GetDC(nullptr);
    if (screen == nullptr) {
        return USER_DEFAULT_SCREEN_DPI;
    }
    const int dpi = GetDeviceCaps(screen, LOGPIXELSX);
    ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : USER_DEFAULT_SCREEN_DPI;
}

}  // namespace

int WindowDpi(HWND window) {
    if (window != nullptr && Functions().dpi_for_window != nullptr) {
        if (const UINT dpi = Functions().dpi_for_window(window); dpi != 0) {
            return static_cast<int>(dpi);
        }
    }
    return ScreenDpi();
}

int SystemMetricForDpi(int index, int dpi) {
    if (Functions().metrics_for_dpi != nullptr && dpi > 0) {
        return Functions().metrics_for_dpi(index, static_cast<UINT>(dpi));
    }
    return GetSystemMetrics(index);
}

}  // namespace vantrel
