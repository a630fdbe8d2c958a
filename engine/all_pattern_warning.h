#pragma once

#include <string>

#include "engine/wildcard_filter.h"

namespace vantrel {

// The first include pattern, in list order, that is exactly "*" or exactly "*.*";
// nullptr when there is none.
const std::wstring* FindAllPattern(const WildcardFilter& filter);

// The question put before a scan lists everything: which text depends on what may be
// deleted. Empty when neither files nor subfolders are deleted.
std::wstring AllPatternWarningText(const std::wstring& pattern, bool delete_files,
                                   bool delete_folders);

}  // namespace vantrel
