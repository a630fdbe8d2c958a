#pragma once

#include <windows.h>

namespace vantrel {

// Owns an open registry key; closes it with RegCloseKey. Move-only.
class RegistryKey {
  public:
    RegistryKey() = default;
    explicit RegistryKey(HKEY key) : key_(key) {}
    RegistryKey(const RegistryKey&) = delete;
    RegistryKey& operator=(const RegistryKey&) = delete;
    RegistryKey(RegistryKey&& other) noexcept : key_(other.release()) {}
    RegistryKey& operator=(RegistryKey&& other) noexcept {
        if (this != &other) {
            reset(other.release());
        }
        return *this;
    }
    ~RegistryKey() { reset(); }

    HKEY get() const { return key_; }
    bool valid() const { return key_ != nullptr; }
    // For APIs that fill a key: closes the current one first.
    HKEY* put() {
        reset();
        return &key_;
    }
    HKEY release() {
        HKEY key = key_;
        key_ = nullptr;
        return key;
    }
    void reset(HKEY key = nullptr) {
        if (key_ != nullptr) {
            RegCloseKey(key_);
        }
        key_ = key;
    }

  private:
    HKEY key_ = nullptr;
};

}  // namespace vantrel
