#pragma once

#include <string>

namespace vantrel {

// The form of `path` to hand to the file APIs: unchanged while it is short enough for
// the ordinary form, else the "\\?\" (or "\\?\UNC\") form, which has no MAX_PATH limit.
std::wstring ToSystemPath(const std::wstring& path);

}  // namespace vantrel
