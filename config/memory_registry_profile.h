#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "config/registry_profile.h"
#include "config/registry_value_data.h"

namespace vantrel {

// A RegistryProfile kept in memory: used where no registry exists (the portable tests) and
// wherever a test must not touch the user's settings. Like the registry, it keeps typed raw
// bytes, compares key and value names without regard to ASCII case, and creates every
// missing key on the way when a section is opened.
class MemoryRegistryProfile : public RegistryProfile {
  public:
    struct Value {
        RegistryType type = RegistryType::None;
        std::vector<uint8_t> data;
    };

    int32_t ReadInt(const std::wstring& section, const std::wstring& name,
                    int32_t fallback) override;
    std::wstring ReadString(const std::wstring& section, const std::wstring& name) override;
    void WriteInt(const std::wstring& section, const std::wstring& name, int32_t value) override;
    void WriteString(const std::wstring& section, const std::wstring& name,
                     const std::wstring& text) override;

    // Test access: raw values of any type, inspection, and a write log.
    void SetRaw(const std::wstring& section, const std::wstring& name, RegistryType type,
                std::vector<uint8_t> data);
    const Value* Find(const std::wstring& section, const std::wstring& name) const;
    bool HasSection(const std::wstring& section) const;
    void RemoveValue(const std::wstring& section, const std::wstring& name);
    void RemoveSection(const std::wstring& section);  // with every key below it
    size_t SectionCount() const { return sections_.size(); }
    // Every read of a value, successful or not.
    size_t ReadCount() const { return reads_; }
    // "section|name" of each write, in order.
    const std::vector<std::wstring>& WriteLog() const { return writes_; }
    void ClearWriteLog() { writes_.clear(); }
    // While set, writes change nothing (a store that refuses writes).
    void SetWritesFail(bool fail) { writes_fail_ = fail; }

  private:
    using Section = std::map<std::wstring, Value>;
    Section& OpenSection(const std::wstring& section);
    const Value* Lookup(const std::wstring& section, const std::wstring& name);
    void Store(const std::wstring& section, const std::wstring& name, Value value);

    std::map<std::wstring, Section> sections_;  // by folded path; "" is the application key
    size_t reads_ = 0;
    std::vector<std::wstring> writes_;
    bool writes_fail_ = false;
};

}  // namespace vantrel
