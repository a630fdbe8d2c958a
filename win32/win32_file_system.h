#pragma once

#include <windows.h>

#include <vector>

#include "engine/file_system.h"
#include "win32/handles.h"

namespace vantrel {

// The FileSystem of the running system. Listings use FindFirstFileExW with basic
// information and large fetches; every path is passed in the "\\?\" form, which addresses
// exactly the item named; a 32-bit program on 64-bit Windows acts on the folders named, with
// the file-system redirection off; the Recycle Bin is the shell's (ShellDelete with the
// recycle flags, owned by the given window), refused where the redirection would apply and
// wherever the shell would delete for good instead (see RecycleItem). Held folders are
// handles opened without delete sharing, which Windows does not let anyone rename, move
// or remove while they are open.
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

    uint32_t LastError() const override { return last_error_; }
    std::wstring ErrorText(uint32_t code) override;
    uint32_t HoldFolder(const std::wstring& folder) override;
    size_t HeldFolderCount() const override { return held_.size(); }
    void ReleaseFolders(size_t keep) override;

  private:
    // Notes the calling thread's last error for LastError; returns `result`.
    template <typename T>
    T Noted(T result) {
        last_error_ = GetLastError();
        return result;
    }

    HWND owner_;
    uint32_t last_error_ = 0;
    std::vector<FileHandle> held_;
};

}  // namespace vantrel
