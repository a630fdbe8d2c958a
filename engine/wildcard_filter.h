#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace vantrel {

// Compares one wildcard pattern with one name. Either argument null gives false.
bool MatchWildcard(const wchar_t* pattern, const wchar_t* name);

// The include and exclude pattern lists of a filter text ("*.o;*.d") and the match
// decision for one file or folder name (no folder part).
class WildcardFilter {
public:
    void SetPatterns(const wchar_t* include_text, const wchar_t* exclude_text);
    bool Matches(const wchar_t* name) const;

    const std::vector<std::wstring>& IncludeList() const { return include_list_; }
    const std::vector<std::wstring>& ExcludeList() const { return exclude_list_; }

private:
    std::wstring include_text_;
    std::wstring exclude_text_;
    std::vector<std::wstring> include_list_;
    std::vector<std::wstring> exclude_list_;
};

}  // namespace vantrel
