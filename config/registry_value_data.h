#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace vantrel {

// Registry value types by their stored numbers. (The names of <windows.h> are macros.)
enum class RegistryType : uint32_t {
    None = 0,
    String = 1,
    ExpandString = 2,
    Binary = 3,
    Dword = 4,
    DwordBigEndian = 5,
    MultiString = 7,
    Qword = 11,
};

// Decoding of raw value data, shared by the Win32 backend and the in-memory store, so that
// both treat untrusted data alike.

// A REG_DWORD is exactly four little-endian bytes; anything else is not a usable integer.
bool DecodeRegistryDword(RegistryType type, const uint8_t* data, size_t size, int32_t& value);

// The UTF-16 text of a REG_SZ: size / 2 code units (an odd last byte is dropped), ending
// at the first terminator if there is one. Never reads past size. Other types give "".
std::wstring DecodeRegistryString(RegistryType type, const uint8_t* data, size_t size);

// The bytes that store text as a REG_SZ: the UTF-16 code units and one terminator.
std::vector<uint8_t> EncodeRegistryString(const std::wstring& text);
std::vector<uint8_t> EncodeRegistryDword(int32_t value);

}  // namespace vantrel
