#pragma once

#include <string>

namespace vantrel {

// Writes `bytes` to `path` whole or not at all: into a new temporary file beside it, flushed,
// then renamed over `path` (MoveFileExW with MOVEFILE_REPLACE_EXISTING). On any failure the
// temporary file is removed and an existing file at `path` is left as it was. A relative path
// is taken from the current folder.
bool WriteWholeFile(const std::wstring& path, const std::string& bytes);

}  // namespace vantrel
