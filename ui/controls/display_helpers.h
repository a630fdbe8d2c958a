#pragma once

#include <windows.h>

#include <cstdint>
#include <string>

#include "engine/path.h"

namespace vantrel {

// The values of a NUMBERFMTW that FormatNumber takes from the user's locale.
struct NumberFormatValues {
    unsigned leading_zero = 0;
    unsigned grouping = 3;
    std::wstring thousand_separator = L",";
    unsigned negative_order = 0;
};

// The user's locale's number display (each value read with GetLocaleInfoW; defaults for
// what the locale does not give).
NumberFormatValues UserNumberFormat();

// The value in decimal with the given grouping, no decimals; the plain decimal text when
// GetNumberFormatW fails. 0 is always "0".
std::wstring FormatNumberWith(int64_t value, const NumberFormatValues& format);
// The value with the user's digit grouping. Keeps no state (the worker calls it too).
std::wstring FormatNumber(int64_t value);

// A last-write time (FILETIME units, UTC) as the user reads it: local time, the short date
// and the time without seconds in the user's formats. Empty for 0 (unknown) and for a time
// the system cannot convert.
std::wstring FormatFileTime(uint64_t file_time);

// The index of the path's icon in the system image list (SHGetFileInfoW with
// SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES and `flags`), -1 when the call fails. A path
// that no longer exists gets the icon of a file of its type. Keeps no state.
int GetSystemIconIndex(const std::wstring& path, UINT flags);

}  // namespace vantrel
