#include "ui/app/usage_box.h"

#include "config/app_settings.h"
#include "config/command_line.h"

namespace vantrel {

void ShowUsage(HWND owner) {
    const std::wstring text = BuildUsageText();
    MessageBoxW(owner, text.c_str(), kApplicationTitle, MB_OK | MB_ICONINFORMATION);
}

}  // namespace vantrel
