#pragma once

#include <windows.h>

#include <string>

#include "config/default_presets_table.h"
#include "config/registry_profile.h"
#include "win32/handles.h"

namespace vantrel {

// The settings store in the real registry: sections are keys below application_key of
// root, created on the way when opened. The product uses HKEY_CURRENT_USER and
// "Software\Zephrane\Vantrel"; tests pass a key of their own. A read-only profile (the
// Explorer extension's) opens sections without creating them and writes nothing.
class Win32RegistryProfile : public RegistryProfile {
  public:
    enum class Access { ReadWrite, ReadOnly };

    explicit Win32RegistryProfile(HKEY root = HKEY_CURRENT_USER,
                                  std::wstring application_key = kApplicationKey,
                                  Access access = Access::ReadWrite);

    int32_t ReadInt(const std::wstring& section, const std::wstring& name,
                    int32_t fallback) override;
    std::wstring ReadString(const std::wstring& section, const std::wstring& name) override;
    void WriteInt(const std::wstring& section, const std::wstring& name, int32_t value) override;
    void WriteString(const std::wstring& section, const std::wstring& name,
                     const std::wstring& text) override;

    const std::wstring& ApplicationKey() const { return application_key_; }

  private:
    // The section's key, created with every missing key on the way; invalid on failure.
    RegistryKey OpenSection(const std::wstring& section, REGSAM access) const;

    HKEY root_;
    std::wstring application_key_;
    Access access_;
};

}  // namespace vantrel
