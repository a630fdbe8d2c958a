#include "config/memory_registry_profile.h"

#include <utility>

namespace vantrel {

namespace {

std::wstring Fold(const std::wstring& text) {
    std::wstring folded = text;
    for (wchar_t& ch : folded) {
        if (ch >= L'A' && ch <= L'Z') {
            ch = static_cast<wchar_t>(ch - L'A' + L'a');
        }
    }
    return folded;
}

}  // namespace

MemoryRegistryProfile::Section& MemoryRegistryProfile::OpenSection(const std::wstring& section) {
    const std::wstring path = Fold(section);
    sections_[L""];
    for (size_t slash = path.find(L'\\'); slash != std::wstring::npos;
         slash = path.find(L'\\', slash + 1)) {
        sections_[path.substr(0, slash)];
    }
    return sections_[path];
}

const MemoryRegistryProfile::Value* MemoryRegistryProfile::Lookup(const std::wstring& section,
                                                                  const std::wstring& name) {
    ++reads_;
    Section& values = OpenSection(section);
    const auto it = values.find(Fold(name));
    return it == values.end() ? nullptr : &it->second;
}

void MemoryRegistryProfile::Store(const std::wstring& section, const std::wstring& name,
                                  Value value) {
    writes_.push_back(section + L"|" + name);
    if (writes_fail_) {
        return;
    }
    OpenSection(section)[Fold(name)] = std::move(value);
}

int32_t MemoryRegistryProfile::ReadInt(const std::wstring& section, const std::wstring& name,
                                       int32_t fallback) {
    const Value* value = Lookup(section, name);
    int32_t result = fallback;
    if (value != nullptr &&
        DecodeRegistryDword(value->type, value->data.data(), value->data.size(), result)) {
        return result;
    }
    return fallback;
}

std::wstring MemoryRegistryProfile::ReadString(const std::wstring& section,
                                               const std::wstring& name) {
    const Value* value = Lookup(section, name);
    if (value == nullptr) {
        return std::wstring();
    }
    return DecodeRegistryString(value->type, value->data.data(), value->data.size());
}

void MemoryRegistryProfile::WriteInt(const std::wstring& section, const std::wstring& name,
                                     int32_t value) {
    Store(section, name, Value{RegistryType::Dword, EncodeRegistryDword(value)});
}

void MemoryRegistryProfile::WriteString(const std::wstring& section, const std::wstring& name,
                                        const std::wstring& text) {
    Store(section, name, Value{RegistryType::String, EncodeRegistryString(text)});
}

void MemoryRegistryProfile::SetRaw(const std::wstring& section, const std::wstring& name,
                                   RegistryType type, std::vector<uint8_t> data) {
    OpenSection(section)[Fold(name)] = Value{type, std::move(data)};
}

const MemoryRegistryProfile::Value* MemoryRegistryProfile::Find(const std::wstring& section,
                                                                const std::wstring& name) const {
    const auto values = sections_.find(Fold(section));
    if (values == sections_.end()) {
        return nullptr;
    }
    const auto it = values->second.find(Fold(name));
    return it == values->second.end() ? nullptr : &it->second;
}

bool MemoryRegistryProfile::HasSection(const std::wstring& section) const {
    return sections_.count(Fold(section)) != 0;
}

void MemoryRegistryProfile::RemoveValue(const std::wstring& section, const std::wstring& name) {
    const auto values = sections_.find(Fold(section));
    if (values != sections_.end()) {
        values->second.erase(Fold(name));
    }
}

void MemoryRegistryProfile::RemoveSection(const std::wstring& section) {
    const std::wstring path = Fold(section);
    const std::wstring prefix = path + L"\\";
    for (auto it = sections_.begin(); it != sections_.end();) {
        if (it->first == path || it->first.compare(0, prefix.size(), prefix) == 0) {
            it = sections_.erase(it);
        } else {
            ++it;
        }
    }
}

}  // namespace vantrel
