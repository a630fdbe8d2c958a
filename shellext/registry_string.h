#pragma once

#include <windows.h>

#include <string>

namespace vantrel::shell {

// Whether data read from the registry is a well-formed string: REG_SZ or REG_EXPAND_SZ of
// even length ending in NUL, or REG_MULTI_SZ of even length ending in two NULs (one when
// it is a single NUL). An empty value (0 bytes) counts as an empty string.
bool IsWellFormedRegistryString(DWORD type, const BYTE* data, DWORD bytes);

// Reads a string value of at most byte_budget bytes (terminator included) into buffer,
// which must hold byte_budget bytes plus one NUL character. Returns ERROR_SUCCESS with
// *bytes set to the data length, the registry's error (ERROR_MORE_DATA for a longer
// value, the buffer then unused), or ERROR_INVALID_DATA for malformed data or another
// type (buffer set to the empty string). On success the buffer is always NUL-terminated.
LONG QueryRegistryString(HKEY key, const wchar_t* value_name, wchar_t* buffer, DWORD byte_budget,
                         DWORD* bytes);

// The same read into a string sized for the budget; true only for a well-formed value
// that holds at least one byte.
bool ReadRegistryString(HKEY key, const wchar_t* value_name, DWORD byte_budget, std::wstring& text);

}  // namespace vantrel::shell
