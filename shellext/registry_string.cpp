#include "shellext/registry_string.h"

#include <cstring>
#include <vector>

namespace vantrel::shell {

namespace {

wchar_t CharacterAt(const BYTE* data, DWORD index) {
    wchar_t c = 0;
    std::memcpy(&c, data + index * sizeof(wchar_t), sizeof(wchar_t));
    return c;
}

}  // namespace

bool IsWellFormedRegistryString(DWORD type, const BYTE* data, DWORD bytes) {
    if (bytes == 0) {
        return true;
    }
    if (bytes % sizeof(wchar_t) != 0) {
        return false;
    }
    const DWORD characters = bytes / sizeof(wchar_t);
    const bool ends_in_nul = CharacterAt(data, characters - 1) == L'\0';
    switch (type) {
        case REG_SZ:
        case REG_EXPAND_SZ:
            return ends_in_nul;
        case REG_MULTI_SZ:
            return ends_in_nul && (characters < 2 || CharacterAt(data, characters - 2) == L'\0');
        default:
            return false;
    }
}

LONG QueryRegistryString(HKEY key, const wchar_t* value_name, wchar_t* buffer, DWORD byte_budget,
                         DWORD* bytes) {
    DWORD type = REG_NONE;
    DWORD size = byte_budget;
    const LONG status =
        RegQueryValueExW(key, value_name, nullptr, &type, reinterpret_cast<BYTE*>(buffer), &size);
    *bytes = size;
    if (status != ERROR_SUCCESS) {
        return status;
    }
    // The budget may be odd: the character after the data is always inside the buffer.
    if (size == 0 || !IsWellFormedRegistryString(type, reinterpret_cast<BYTE*>(buffer), size)) {
        buffer[0] = L'\0';
        return size == 0 ? ERROR_SUCCESS : ERROR_INVALID_DATA;
    }
    buffer[size / sizeof(wchar_t)] = L'\0';
    return ERROR_SUCCESS;
}

bool ReadRegistryString(HKEY key, const wchar_t* value_name, DWORD byte_budget,
                        std::wstring& text) {
    std::vector<wchar_t> buffer(byte_budget / sizeof(wchar_t) + 2, L'\0');
    DWORD bytes = 0;
    if (QueryRegistryString(key, value_name, buffer.data(), byte_budget, &bytes) != ERROR_SUCCESS ||
        bytes == 0) {
        return false;
    }
    text.assign(buffer.data());
    return true;
}

}  // namespace vantrel::shell
