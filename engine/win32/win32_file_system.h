#pragma once

#include <windows.h>

#include "engine/file_system.h"

namespace vantrel {

// The FileSystem of the running system. Listings use FindFirstFileExW with basic
// information and large fetches; long paths are passed in the "\\?\" form; the Recycle Bin
// is the shell's (ShellDelete with the recycle flags, owned by the given window).
class Win32FileSystem : public FileSystem {
  public:
    explicit Win32FileSystem(HWND owner = nullptr) : owner_(owner) {}
    void SetOwnerWindow(HWND owner) { owner_ = owner; }

    bool Exists(const std::wstring& path) override;
    bool IsDirectory(const std::wstring& path) override;
    uint32_t GetAttributes(const std::wstring& path) override;
    bool SetAttributes(const std::wstring& path, uint32_t attributes) override;
    std::unique_ptr<FolderListing> OpenListing(const std::wstring& folder) override;
    bool RemoveFile(const std::wstring& path) override;
    bool RemoveEmptyFolder(const std::wstring& path) override;
    bool Recycle(const std::wstring& path) override;

  private:
    HWND owner_;
};

}  // namespace vantrel
