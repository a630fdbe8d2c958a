#pragma once

// Path rules as text (portable, no <windows.h>): the one absolute form a folder takes when it
// enters the folder list, the key under which two writings of one folder are equal, the
// literal "\\?\" form every file-system call uses, and joining and splitting paths.

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

// Path of a folder's entry: the folder, one backslash, the name. A folder that already
// ends with a separator ("C:\") gets no second one.
std::wstring JoinPath(const std::wstring& folder, const std::wstring& name);

// The path without its last component, as PathRemoveFileSpecW leaves it: "C:\a\b.exe" ->
// "C:\a", "C:\b.exe" -> "C:\", "\\server\share\x" -> "\\server\share", "b.exe" -> "".
// A path with nothing to remove ("C:\", "\\") is returned unchanged.
std::wstring RemoveFileSpec(const std::wstring& path);

// The folder a path lies in; empty when nothing could be removed. "C:\a\b.txt" gives
// "C:\a", "C:\b.txt" gives "C:\" (the root keeps its backslash), "C:\" gives "". The whole
// path is used, however long: a shortened path would name another folder.
std::wstring GetParentFolder(const std::wstring& path);

// The name part of a path, as PathFindFileNameW finds it: the text after the last "\", "/"
// or ":" that is followed by something other than a separator.
std::wstring PathNamePart(const std::wstring& path);

// The "\\?\" form of an absolute path ("\\?\UNC\server\share\..." for a network path):
// the form in which Windows takes every character of every name literally. Without it a
// trailing dot or blank is cut from each name, so "notes." would address "notes". The
// text is made literal first: "/" becomes "\", repeated separators collapse, "." and ".."
// components are resolved (as the ordinary form would resolve them) and a trailing
// separator is dropped except after a drive root. A path already in the "\\?\" or "\\.\"
// form is returned unchanged. An empty result means the path is not absolute (relative,
// drive-relative "C:x", root-relative "\x") or ".." climbs above its root.
std::wstring ExtendedPathForm(const std::wstring& path);

}  // namespace vantrel
