#pragma once

// An application key of its own for a test, below HKEY_CURRENT_USER\Software\VantrelTests,
// so tests never touch the user's real Vantrel settings. Removed with everything below it
// at the end.

#include <windows.h>

#include <string>

#include "win32/win32_registry_profile.h"

namespace vantrel::testing {

class TestRegistryKey {
  public:
    explicit TestRegistryKey(const wchar_t* tag)
        : root_(std::wstring(kTestsKey) + L"\\" + tag + L"-" +
                std::to_wstring(GetCurrentProcessId()) + L"-" + std::to_wstring(GetTickCount())),
          application_key_(root_ + L"\\Zephrane\\Vantrel") {
        RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
    }
    ~TestRegistryKey() {
        RegDeleteTreeW(HKEY_CURRENT_USER, root_.c_str());
        RegDeleteKeyW(HKEY_CURRENT_USER, kTestsKey);  // only when no other test key is left
    }
    TestRegistryKey(const TestRegistryKey&) = delete;
    TestRegistryKey& operator=(const TestRegistryKey&) = delete;

    // The key that the test's profile treats as the application key ("...\Zephrane\Vantrel").
    const std::wstring& ApplicationKey() const { return application_key_; }
    // The topmost key of this test; nothing of it exists before the test writes.
    const std::wstring& Root() const { return root_; }
    Win32RegistryProfile Profile() const {
        return Win32RegistryProfile(HKEY_CURRENT_USER, application_key_);
    }
    // Full path below HKEY_CURRENT_USER of a section ("" is the application key).
    std::wstring SectionPath(const std::wstring& section) const {
        return section.empty() ? application_key_ : application_key_ + L"\\" + section;
    }
    bool Exists(const std::wstring& path) const {
        HKEY key = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, path.c_str(), 0, KEY_READ, &key) != ERROR_SUCCESS) {
            return false;
        }
        RegCloseKey(key);
        return true;
    }

  private:
    static constexpr const wchar_t* kTestsKey = L"Software\\VantrelTests";
    std::wstring root_;
    std::wstring application_key_;
};

}  // namespace vantrel::testing
