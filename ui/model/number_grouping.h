#pragma once

// The digit grouping of displayed numbers, from the locale's grouping text (portable).

#include <string>

namespace vantrel {

// NUMBERFMT's Grouping from LOCALE_SGROUPING: 32 for the Indian "3;2;0", otherwise the
// leading number ("3;0" -> 3, "0" -> 0); 3 when the locale gives nothing usable.
inline unsigned GroupingFromLocaleText(const std::wstring& text) {
    if (text == L"3;2;0") {
        return 32;
    }
    unsigned value = 0;
    size_t i = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && value < 1000) {
        value = value * 10 + static_cast<unsigned>(text[i] - L'0');
        ++i;
    }
    return i == 0 ? 3 : value;
}

// A locale number such as LOCALE_ILZERO read as text; `fallback` when it has no digits.
inline unsigned LocaleNumberOr(const std::wstring& text, unsigned fallback) {
    unsigned value = 0;
    size_t i = 0;
    while (i < text.size() && text[i] >= L'0' && text[i] <= L'9' && value < 1000) {
        value = value * 10 + static_cast<unsigned>(text[i] - L'0');
        ++i;
    }
    return i == 0 ? fallback : value;
}

}  // namespace vantrel
