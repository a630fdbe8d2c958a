#pragma once

#include <windows.h>

namespace vantrel {

// The command line's usage box: information icon, OK button, the application's title as
// caption, the usage text.
void ShowUsage(HWND owner = nullptr);

}  // namespace vantrel
