#include "ui/controls/display_helpers.h"

#include <shellapi.h>
#include <shlwapi.h>

#include <cwchar>

#include "ui/model/compare_rules.h"
#include "ui/model/number_grouping.h"

namespace vantrel {
namespace {

constexpr int kLocaleBufferLength = 127;

// A locale value as text; empty when the locale does not give it.
std::wstring LocaleText(LCTYPE type) {
    wchar_t buffer[kLocaleBufferLength + 1] = {};
    const int length = GetLocaleInfoW(LOCALE_USER_DEFAULT, type, buffer, kLocaleBufferLength);
    return length > 1 ? std::wstring(buffer) : std::wstring();
}

}  // namespace

NumberFormatValues UserNumberFormat() {
    NumberFormatValues format;
    format.leading_zero = LocaleNumberOr(LocaleText(LOCALE_ILZERO), 0);
    format.grouping = GroupingFromLocaleText(LocaleText(LOCALE_SGROUPING));
    const std::wstring thousand = LocaleText(LOCALE_STHOUSAND);
    format.thousand_separator = thousand.empty() ? std::wstring(L",") : thousand;
    format.negative_order = LocaleNumberOr(LocaleText(LOCALE_INEGNUMBER), 0);
    return format;
}

std::wstring FormatNumberWith(int64_t value, const NumberFormatValues& format) {
    wchar_t digits[32] = {};
    std::swprintf(digits, 32, L"%lld", static_cast<long long>(value));
    if (value == 0) {
        return digits;
    }
    std::wstring decimal_separator = L".";
    std::wstring thousand_separator = format.thousand_separator;
    NUMBERFMTW number{};
    number.NumDigits = 0;
    number.LeadingZero = format.leading_zero;
    number.Grouping = format.grouping;
    number.lpDecimalSep = decimal_separator.data();
    number.lpThousandSep = thousand_separator.data();
    number.NegativeOrder = format.negative_order;
    // Room for every digit, a separator after each and a sign: never truncated.
    wchar_t buffer[kLocaleBufferLength + 1] = {};
    const int length =
        GetNumberFormatW(LOCALE_USER_DEFAULT, 0, digits, &number, buffer, kLocaleBufferLength);
    if (length <= 0) {
        return digits;
    }
    return buffer;
}

std::wstring FormatNumber(int64_t value) {
    return FormatNumberWith(value, UserNumberFormat());
}

std::wstring FormatFileTime(uint64_t file_time) {
    if (file_time == 0) {
        return std::wstring();
    }
    FILETIME utc{static_cast<DWORD>(file_time), static_cast<DWORD>(file_time >> 32)};
    SYSTEMTIME universal{};
    SYSTEMTIME local{};
    // The time zone rules of that date, so a summer date reads summer time in winter too.
    if (!FileTimeToSystemTime(&utc, &universal) ||
        !SystemTimeToTzSpecificLocalTime(nullptr, &universal, &local)) {
        return std::wstring();
    }
    const int date_length =
        GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, nullptr, 0);
    const int time_length =
        GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, nullptr, 0);
    if (date_length <= 0 || time_length <= 0) {
        return std::wstring();
    }
    std::wstring date(static_cast<size_t>(date_length), L'\0');
    std::wstring time(static_cast<size_t>(time_length), L'\0');
    GetDateFormatW(LOCALE_USER_DEFAULT, DATE_SHORTDATE, &local, nullptr, date.data(), date_length);
    GetTimeFormatW(LOCALE_USER_DEFAULT, TIME_NOSECONDS, &local, nullptr, time.data(), time_length);
    date.resize(wcslen(date.c_str()));
    time.resize(wcslen(time.c_str()));
    return date + L" " + time;
}

int GetSystemIconIndex(const std::wstring& path, UINT flags) {
    const DWORD attributes =
        PathIsDirectoryW(path.c_str()) ? FILE_ATTRIBUTE_DIRECTORY : FILE_ATTRIBUTE_NORMAL;
    SHFILEINFOW info{};
    const DWORD_PTR result = SHGetFileInfoW(path.c_str(), attributes, &info, sizeof(info),
                                            flags | SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
    return result == 0 ? -1 : info.iIcon;
}

}  // namespace vantrel
