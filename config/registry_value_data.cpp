#include "config/registry_value_data.h"

namespace vantrel {

bool DecodeRegistryDword(RegistryType type, const uint8_t* data, size_t size, int32_t& value) {
    if (type != RegistryType::Dword || size != 4 || data == nullptr) {
        return false;
    }
    const uint32_t bits = static_cast<uint32_t>(data[0]) | static_cast<uint32_t>(data[1]) << 8 |
                          static_cast<uint32_t>(data[2]) << 16 |
                          static_cast<uint32_t>(data[3]) << 24;
    value = static_cast<int32_t>(bits);
    return true;
}

std::wstring DecodeRegistryString(RegistryType type, const uint8_t* data, size_t size) {
    std::wstring text;
    if (type != RegistryType::String || data == nullptr) {
        return text;
    }
    const size_t units = size / 2;
    size_t length = 0;
    while (length < units && (data[2 * length] != 0 || data[2 * length + 1] != 0)) {
        ++length;
    }
    text.resize(length);
    for (size_t i = 0; i < length; ++i) {
        text[i] = static_cast<wchar_t>(static_cast<uint16_t>(data[2 * i]) |
                                       static_cast<uint16_t>(data[2 * i + 1]) << 8);
    }
    return text;
}

std::vector<uint8_t> EncodeRegistryString(const std::wstring& text) {
    std::vector<uint8_t> bytes;
    bytes.reserve((text.size() + 1) * 2);
    for (wchar_t ch : text) {
        const auto unit = static_cast<uint16_t>(ch);
        bytes.push_back(static_cast<uint8_t>(unit & 0xFF));
        bytes.push_back(static_cast<uint8_t>(unit >> 8));
    }
    bytes.push_back(0);
    bytes.push_back(0);
    return bytes;
}

std::vector<uint8_t> EncodeRegistryDword(int32_t value) {
    const auto bits = static_cast<uint32_t>(value);
    return {static_cast<uint8_t>(bits), static_cast<uint8_t>(bits >> 8),
            static_cast<uint8_t>(bits >> 16), static_cast<uint8_t>(bits >> 24)};
}

}  // namespace vantrel
