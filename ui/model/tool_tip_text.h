#pragma once

// Portable text rules of the window frame (no <windows.h>, so host tests reach them).

#include <string>

namespace vantrel {

// A command's string resource is "<menu prompt>\n<tip>[\n...]": the tip is the text after
// the first line feed, up to the next one. A string without a line feed has no tip.
inline std::wstring ToolTipPart(const std::wstring& resource_text) {
    const size_t first = resource_text.find(L'\n');
    if (first == std::wstring::npos) {
        return {};
    }
    const size_t second = resource_text.find(L'\n', first + 1);
    return resource_text.substr(
        first + 1, second == std::wstring::npos ? std::wstring::npos : second - first - 1);
}

}  // namespace vantrel
