#pragma once

#include <string>

namespace vantrel {

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
