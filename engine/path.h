#pragma once

// Folder paths as text (portable, no <windows.h>): the one absolute form a folder takes when
// it enters the folder list, and the key under which two writings of one folder are equal.

#include <functional>
#include <string>

namespace vantrel {

// Where a path that is not absolute starts. Windows keeps the process's current folder and
// one current folder per drive; the Windows layer supplies both, tests give fixed ones.
struct CurrentFolders {
    // The process's current folder, absolute ("C:\work", "\\server\share\work").
    std::function<std::wstring()> process;
    // The current folder of drive `letter`, absolute; empty when it has none (its root).
    std::function<std::wstring(wchar_t letter)> of_drive;
};

// The absolute form of `path`, made from its text alone: nothing is trimmed, so a name
// ending in a dot or a blank stays exactly as written.
// - Relative "x\y" and root-relative "\x" start from the process's current folder (the
//   latter from its root); drive-relative "D:x" and a bare "D:" from D's current folder.
// - "/" counts as "\"; repeated separators collapse; "." and ".." are resolved in the text,
//   and ".." never climbs above the root ("C:\", "\\server\share").
// - "\\.\" (Windows would resolve and trim such a path) becomes the literal "\\?\" form for
//   a drive ("\\.\C:\x" -> "\\?\C:\x"), a share ("\\.\UNC\s\sh" -> "\\?\UNC\s\sh") and a
//   volume ("\\.\Volume{...}\x"); other device names (pipes, disks, consoles) are no
//   folders: the result is empty.
// - "\\?\" is taken literally, as Windows takes it; only a bare "\\?\D:" gains the "\" of
//   its root, so the check and the walk address the same folder.
// A trailing separator is dropped except after a drive or volume root ("C:\"). An empty
// result means the text names no folder (empty, a server without a share, a device).
std::wstring AbsolutePathForm(const std::wstring& path, const CurrentFolders& current);

// The comparison key of an absolute form: "C:\x", "C:\x\", "c:/x" and "\\?\C:\x" share one
// key. The "\\?\" prefix is dropped ("\\?\UNC\s\sh" reads as "\\s\sh"), "/" reads as "\",
// trailing separators go, and letters compare regardless of case, as Windows compares names.
std::wstring FolderKey(const std::wstring& absolute);

}  // namespace vantrel
