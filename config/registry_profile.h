#pragma once

#include <cstdint>
#include <string>

namespace vantrel {

// The settings store below the application key. A section is a key path relative to the
// application key ("Settings", "Presets\\01"); the empty section is the application key
// itself. Opening a section creates every missing key on the way, for reading as for
// writing. Nothing here reports a failure: a value that is missing or unreadable reads as
// its default, and a failed write is ignored.
class RegistryProfile {
  public:
    virtual ~RegistryProfile() = default;

    // The stored REG_DWORD, or fallback when the key or value is missing, the value is of
    // another type, or it is not exactly four bytes long.
    virtual int32_t ReadInt(const std::wstring& section, const std::wstring& name,
                            int32_t fallback) = 0;
    // The stored REG_SZ up to its first terminator (a missing terminator is tolerated), or
    // the empty string when missing or of another type.
    virtual std::wstring ReadString(const std::wstring& section, const std::wstring& name) = 0;
    virtual void WriteInt(const std::wstring& section, const std::wstring& name, int32_t value) = 0;
    virtual void WriteString(const std::wstring& section, const std::wstring& name,
                             const std::wstring& text) = 0;
};

}  // namespace vantrel
