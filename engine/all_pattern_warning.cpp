#include "engine/all_pattern_warning.h"

namespace vantrel {

const std::wstring* FindAllPattern(const WildcardFilter& filter) {
    for (const std::wstring& pattern : filter.IncludeList()) {
        if (pattern == L"*" || pattern == L"*.*") {
            return &pattern;
        }
    }
    return nullptr;
}

std::wstring AllPatternWarningText(const std::wstring& pattern, bool delete_files,
                                   bool delete_folders) {
    const wchar_t* what = nullptr;
    if (delete_files && delete_folders) {
        what = L"all files and subfolders";
    } else if (delete_files) {
        what = L"all files";
    } else if (delete_folders) {
        what = L"all subfolders";
    } else {
        return std::wstring();
    }
    return L"The filter pattern includes \" " + pattern + L" \", that means " + what +
           L" may be deleted.\r\n\r\nAre you sure you want to do this?";
}

}  // namespace vantrel
