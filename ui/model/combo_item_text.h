#pragma once

// How a preset combo item's text splits into its left and right parts (portable).

#include <string>

namespace vantrel {

struct ComboItemParts {
    std::wstring left;
    std::wstring right;
};

// Split at the first tab; without one at the first backslash-t written out ("\t" as two
// characters); without either the whole text is the left part.
inline ComboItemParts SplitComboItemText(const std::wstring& text) {
    size_t at = text.find(L'\t');
    size_t skip = 1;
    if (at == std::wstring::npos) {
        at = text.find(L"\\t");
        skip = 2;
    }
    if (at == std::wstring::npos) {
        return {text, {}};
    }
    return {text.substr(0, at), text.substr(at + skip)};
}

}  // namespace vantrel
