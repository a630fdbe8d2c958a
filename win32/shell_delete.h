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

enum class RecycleOutcome { Recycled, Refused, Failed };

// Sends one file or folder to the Recycle Bin and never deletes it for good: silently, the
// shell deletes for good whatever it cannot recycle. Refused (nothing changes) for an item
// on a drive without a Recycle Bin (network shares, removable and other non-fixed drives)
// or a path the shell cannot take exactly. Where the system has the shell's IFileOperation,
// its progress sink refuses every delete the shell would not recycle (an item over the
// bin's size limit, a bin set to delete at once) before it happens: Refused. Where the
// system lacks it (Wine), the classic shell operation runs after the drive check.
RecycleOutcome RecycleItem(const std::wstring& path, HWND owner);

}  // namespace vantrel
