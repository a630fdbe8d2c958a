#pragma once

#include <string>

#include "engine/path.h"

namespace vantrel {

// The process's current folder and each drive's current folder, asked of Windows when a
// path needs them.
CurrentFolders ProcessCurrentFolders();

// `path` made absolute against the process's current folders by its text alone
// (AbsolutePathForm): unlike GetFullPathNameW, nothing is trimmed from any name. Empty when
// the text names no folder.
std::wstring MakeAbsolute(const std::wstring& path);

// The absolute form of `text` when it names an existing folder, else empty. The check asks
// the file system about exactly that form (the one the scan then walks), never the text.
std::wstring ExistingFolderForm(const std::wstring& text);

}  // namespace vantrel
