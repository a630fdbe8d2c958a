#pragma once

#include <string>

namespace vantrel {

// The longest path the shell's file operation takes (MAX_PATH less its terminator).
inline constexpr size_t kShellPathLimit = 259;

// True when `path` can be handed to the shell's delete operation as a list of exactly this
// one item: not empty, absolute ("X:\..." or "\\server\share\..."), within the shell's
// length limit, and free of what the shell would read as something else (wildcards, an
// embedded NUL, "." or ".." components, a name ending with a dot or a blank, which the
// shell would trim into another item's name, the "\\?\" prefix it does not understand).
// A path that does not fit is refused, never shortened: a shortened path names another
// item.
bool FitsShellDelete(const std::wstring& path);

}  // namespace vantrel
