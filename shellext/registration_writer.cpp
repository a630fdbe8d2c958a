#include "shellext/registration_writer.h"

#include "win32/handles.h"

namespace vantrel::shell {

namespace {

LONG SetStringValue(HKEY key, const wchar_t* name, const std::wstring& data) {
    const size_t bytes = (data.size() + 1) * sizeof(wchar_t);
    if (bytes > MAXDWORD) {
        return ERROR_INVALID_DATA;
    }
    return RegSetValueExW(key, name, 0, REG_SZ, reinterpret_cast<const BYTE*>(data.c_str()),
                          static_cast<DWORD>(bytes));
}

LONG DeleteTreeIfPresent(HKEY root, const std::wstring& path) {
    const LONG status = RegDeleteTreeW(root, path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

LONG DeleteIfNoSubkeys(HKEY root, const std::wstring& path) {
    DWORD subkeys = 0;
    {
        RegistryKey key;
        LONG status = RegOpenKeyExW(root, path.c_str(), 0, KEY_QUERY_VALUE, key.put());
        if (status == ERROR_FILE_NOT_FOUND) {
            return ERROR_SUCCESS;
        }
        if (status == ERROR_SUCCESS) {
            status = RegQueryInfoKeyW(key.get(), nullptr, nullptr, nullptr, &subkeys, nullptr,
                                      nullptr, nullptr, nullptr, nullptr, nullptr, nullptr);
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
    }
    if (subkeys != 0) {
        return ERROR_SUCCESS;
    }
    const LONG status = RegDeleteKeyW(root, path.c_str());
    return status == ERROR_FILE_NOT_FOUND ? ERROR_SUCCESS : status;
}

}  // namespace

std::wstring Substitute(std::wstring_view text, std::span<const Substitution> substitutions) {
    std::wstring result;
    result.reserve(text.size());
    size_t position = 0;
    while (position < text.size()) {
        bool replaced = false;
        for (const Substitution& s : substitutions) {
            if (!s.token.empty() && text.substr(position, s.token.size()) == s.token) {
                result += s.value;
                position += s.token.size();
                replaced = true;
                break;
            }
        }
        if (!replaced) {
            result += text[position++];
        }
    }
    return result;
}

LONG WriteRegistrationTable(HKEY root, std::span<const RegistrationEntry> table,
                            std::span<const Substitution> substitutions) {
    for (const RegistrationEntry& entry : table) {
        const std::wstring path = Substitute(entry.path, substitutions);
        if (entry.kind == KeyKind::Forced) {
            if (const LONG status = DeleteTreeIfPresent(root, path); status != ERROR_SUCCESS) {
                return status;
            }
        }
        RegistryKey key;
        LONG status = RegCreateKeyExW(root, path.c_str(), 0, nullptr, REG_OPTION_NON_VOLATILE,
                                      KEY_SET_VALUE, nullptr, key.put(), nullptr);
        if (status == ERROR_SUCCESS && entry.default_value != nullptr) {
            status =
                SetStringValue(key.get(), nullptr, Substitute(entry.default_value, substitutions));
        }
        if (status == ERROR_SUCCESS && entry.value_name != nullptr) {
            status = SetStringValue(key.get(), entry.value_name,
                                    Substitute(entry.value_data, substitutions));
        }
        if (status != ERROR_SUCCESS) {
            return status;
        }
    }
    return ERROR_SUCCESS;
}

LONG RemoveRegistrationTable(HKEY root, std::span<const RegistrationEntry> table,
                             std::span<const Substitution> substitutions) {
    LONG first = ERROR_SUCCESS;
    for (auto entry = table.rbegin(); entry != table.rend(); ++entry) {
        const std::wstring path = Substitute(entry->path, substitutions);
        LONG status = ERROR_SUCCESS;
        switch (entry->kind) {
            case KeyKind::Forced:
                status = DeleteTreeIfPresent(root, path);
                break;
            case KeyKind::Ordinary:
                status = DeleteIfNoSubkeys(root, path);
                break;
            case KeyKind::Shared:
            case KeyKind::InsideForced:
                break;
        }
        if (first == ERROR_SUCCESS) {
            first = status;
        }
    }
    return first;
}

}  // namespace vantrel::shell
