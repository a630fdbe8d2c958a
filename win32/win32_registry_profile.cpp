#include "win32/win32_registry_profile.h"

#include <cstdint>
#include <new>
#include <utility>
#include <vector>

#include "config/registry_value_data.h"

namespace vantrel {

namespace {

// The value's type and bytes, buffer sized from the data. A value that keeps changing
// size between the calls, or that is too large to hold, counts as unreadable.
bool QueryRawSized(HKEY key, const std::wstring& name, DWORD& type, std::vector<uint8_t>& data) {
    for (int attempt = 0; attempt < 4; ++attempt) {
        DWORD size = 0;
        LONG status = RegQueryValueExW(key, name.c_str(), nullptr, &type, nullptr, &size);
        if (status != ERROR_SUCCESS) {
            return false;
        }
        data.resize(size);
        DWORD filled = size;
        status = RegQueryValueExW(key, name.c_str(), nullptr, &type,
                                  size == 0 ? nullptr : data.data(), &filled);
        if (status == ERROR_SUCCESS) {
            data.resize(filled < size ? filled : size);
            return true;
        }
        if (status != ERROR_MORE_DATA) {
            return false;
        }
    }
    return false;
}

bool QueryRaw(HKEY key, const std::wstring& name, DWORD& type, std::vector<uint8_t>& data) {
    try {
        return QueryRawSized(key, name, type, data);
    } catch (const std::bad_alloc&) {
        data.clear();
        return false;
    }
}

}  // namespace

Win32RegistryProfile::Win32RegistryProfile(HKEY root, std::wstring application_key, Access access)
    : root_(root), application_key_(std::move(application_key)), access_(access) {}

RegistryKey Win32RegistryProfile::OpenSection(const std::wstring& section, REGSAM access) const {
    std::wstring path = application_key_;
    if (!section.empty()) {
        path += L"\\";
        path += section;
    }
    RegistryKey key;
    if (access_ == Access::ReadOnly) {
        if ((access & ~KEY_QUERY_VALUE) != 0 ||
            RegOpenKeyExW(root_, path.c_str(), 0, access, key.put()) != ERROR_SUCCESS) {
            key.release();
        }
        return key;
    }
    if (RegCreateKeyExW(root_, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE, access, nullptr,
                        key.put(), nullptr) != ERROR_SUCCESS) {
        key.release();
    }
    return key;
}

int32_t Win32RegistryProfile::ReadInt(const std::wstring& section, const std::wstring& name,
                                      int32_t fallback) {
    const RegistryKey key = OpenSection(section, KEY_QUERY_VALUE);
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
    int32_t value = fallback;
    if (key.valid() && QueryRaw(key.get(), name, type, data) &&
        DecodeRegistryDword(static_cast<RegistryType>(type), data.data(), data.size(), value)) {
        return value;
    }
    return fallback;
}

std::wstring Win32RegistryProfile::ReadString(const std::wstring& section,
                                              const std::wstring& name) {
    const RegistryKey key = OpenSection(section, KEY_QUERY_VALUE);
    DWORD type = REG_NONE;
    std::vector<uint8_t> data;
    if (!key.valid() || !QueryRaw(key.get(), name, type, data)) {
        return std::wstring();
    }
    // The text is a second copy of data of any size: a value too large to hold twice
    // reads as unreadable, like one too large to hold once.
    try {
        return DecodeRegistryString(static_cast<RegistryType>(type), data.data(), data.size());
    } catch (const std::bad_alloc&) {
        return std::wstring();
    }
}

void Win32RegistryProfile::WriteInt(const std::wstring& section, const std::wstring& name,
                                    int32_t value) {
    const RegistryKey key = OpenSection(section, KEY_SET_VALUE);
    if (!key.valid()) {
        return;
    }
    const DWORD data = static_cast<DWORD>(value);
    RegSetValueExW(key.get(), name.c_str(), 0, REG_DWORD, reinterpret_cast<const BYTE*>(&data),
                   sizeof(data));
}

void Win32RegistryProfile::WriteString(const std::wstring& section, const std::wstring& name,
                                       const std::wstring& text) {
    const RegistryKey key = OpenSection(section, KEY_SET_VALUE);
    if (!key.valid()) {
        return;
    }
    const std::vector<uint8_t> data = EncodeRegistryString(text);
    RegSetValueExW(key.get(), name.c_str(), 0, REG_SZ, data.data(),
                   static_cast<DWORD>(data.size()));
}

}  // namespace vantrel
