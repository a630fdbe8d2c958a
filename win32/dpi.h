#pragma once

#include <windows.h>

namespace vantrel {

// The DPI a window is drawn at: GetDpiForWindow where the system has it (looked up at run
// time, so the program still starts without it), the screen's DPI otherwise.
int WindowDpi(HWND window);

// A system metric at `dpi`: GetSystemMetricsForDpi where the system has it, otherwise the
// metric at the screen's DPI.
int SystemMetricForDpi(int index, int dpi);

}  // namespace vantrel
