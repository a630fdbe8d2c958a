#include "engine/text_rules.h"

namespace vantrel {

bool IsWhiteSpace(wchar_t ch) {
    return ch == L' ' || (ch >= L'\t' && ch <= L'\r');
}

std::wstring TrimWhiteSpace(const std::wstring& text) {
    size_t begin = 0;
    size_t end = text.size();
    while (begin < end && IsWhiteSpace(text[begin])) {
        ++begin;
    }
    while (end > begin && IsWhiteSpace(text[end - 1])) {
        --end;
    }
    return text.substr(begin, end - begin);
}

wchar_t FoldCase(wchar_t ch) {
    const auto up = [ch](unsigned offset) { return static_cast<wchar_t>(ch + offset); };
    if (ch >= L'A' && ch <= L'Z') {
        return up(0x20);
    }
    if (ch >= 0x00C0 && ch <= 0x00DE && ch != 0x00D7) {  // Latin-1 capitals, not the sign x
        return up(0x20);
    }
    if (ch >= 0x0391 && ch <= 0x03A9 && ch != 0x03A2) {  // Greek capitals
        return up(0x20);
    }
    if (ch >= 0x0410 && ch <= 0x042F) {  // Cyrillic basic capitals
        return up(0x20);
    }
    if (ch >= 0x0400 && ch <= 0x040F) {  // Cyrillic capitals with marks
        return up(0x50);
    }
    return ch;
}

std::wstring ToLowerCase(const std::wstring& text) {
    std::wstring lower = text;
    for (wchar_t& ch : lower) {
        ch = FoldCase(ch);
    }
    return lower;
}

bool EqualsIgnoreCase(const std::wstring& a, const std::wstring& b) {
    if (a.size() != b.size()) {
        return false;
    }
    for (size_t i = 0; i < a.size(); ++i) {
        if (FoldCase(a[i]) != FoldCase(b[i])) {
            return false;
        }
    }
    return true;
}

}  // namespace vantrel
