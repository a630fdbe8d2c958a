#pragma once

#include <windows.h>

#include <string>

namespace vantrel {

// FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_NOERRORUI: to the Recycle Bin,
// without any dialog.
inline constexpr unsigned kRecycleFlags = 0x0454;

// One shell delete operation on one path. True only when the shell reports success and
// aborted nothing. A path the shell cannot take exactly (see FitsShellDelete) is refused.
bool ShellDelete(const std::wstring& path, unsigned flags, HWND owner);

}  // namespace vantrel
