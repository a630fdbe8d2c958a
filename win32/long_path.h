#pragma once

#include <string>

namespace vantrel {

// The form of `path` to hand to the file APIs: the "\\?\" (or "\\?\UNC\") form, which has
// no MAX_PATH limit and addresses exactly the item named, trailing dots and blanks
// included (see ExtendedPathForm). A path that is not absolute, and a "\\.\" path, is first
// made absolute by its text (MakeAbsolute), so no name is trimmed on the way.
std::wstring ToSystemPath(const std::wstring& path);

}  // namespace vantrel
