#pragma once

#include <string>

namespace vantrel {

// White space as the C library's isspace sees it in the "C" locale: blank, tab, line
// feed, vertical tab, form feed, carriage return.
bool IsWhiteSpace(wchar_t ch);
// The text without white space at either end.
std::wstring TrimWhiteSpace(const std::wstring& text);
// One character in lower case. Covers ASCII, Latin-1, Greek and Cyrillic capitals, the
// same way on every platform (the C library's towlower depends on the locale).
wchar_t FoldCase(wchar_t ch);
std::wstring ToLowerCase(const std::wstring& text);
// Equality without regard to case, by FoldCase.
bool EqualsIgnoreCase(const std::wstring& a, const std::wstring& b);

}  // namespace vantrel
