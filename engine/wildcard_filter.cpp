#include "engine/wildcard_filter.h"

namespace vantrel {

// Placeholder until the matcher lands: matches nothing.
bool MatchWildcard(const wchar_t*, const wchar_t*) { return false; }

void WildcardFilter::SetPatterns(const wchar_t* include_text, const wchar_t* exclude_text) {
    include_text_ = include_text != nullptr ? include_text : L"";
    exclude_text_ = exclude_text != nullptr ? exclude_text : L"";
    include_list_.clear();
    exclude_list_.clear();
}

bool WildcardFilter::Matches(const wchar_t*) const { return false; }

}  // namespace vantrel
