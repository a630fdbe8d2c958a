#include "win32/win32_file_system.h"

#include "engine/items.h"
#include "win32/handles.h"
#include "win32/long_path.h"
#include "win32/redirection.h"
#include "win32/shell_delete.h"

namespace vantrel {

namespace {

class Win32FolderListing : public FolderListing {
  public:
    Win32FolderListing(FindHandle handle, const WIN32_FIND_DATAW& first)
        : handle_(std::move(handle)), data_(first) {}

    bool Next(DirEntry& entry) override {
        if (state_ != State::Reading) {
            return false;
        }
        if (!pending_) {
            if (!FindNextFileW(handle_.get(), &data_)) {
                state_ = GetLastError() == ERROR_NO_MORE_FILES ? State::Complete : State::Failed;
                handle_.reset();
                return false;
            }
        }
        pending_ = false;
        entry.name.assign(data_.cFileName);
        entry.size = static_cast<int64_t>((static_cast<uint64_t>(data_.nFileSizeHigh) << 32) |
                                          data_.nFileSizeLow);
        entry.attributes = data_.dwFileAttributes;
        return true;
    }

    State GetState() const override { return state_; }

  private:
    FindHandle handle_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true;  // FindFirstFileExW has already delivered the first entry
    State state_ = State::Reading;
};

}  // namespace

bool Win32FileSystem::Exists(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const RedirectionOff redirection_off;
    return GetFileAttributesW(ToSystemPath(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool Win32FileSystem::IsDirectory(const std::wstring& path) {
    const uint32_t attributes = GetAttributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttributeDirectory) != 0;
}

uint32_t Win32FileSystem::GetAttributes(const std::wstring& path) {
    if (path.empty()) {
        return kInvalidAttributes;
    }
    const RedirectionOff redirection_off;
    return GetFileAttributesW(ToSystemPath(path).c_str());
}

bool Win32FileSystem::SetAttributes(const std::wstring& path, uint32_t attributes) {
    if (path.empty()) {
        return false;
    }
    const RedirectionOff redirection_off;
    return SetFileAttributesW(ToSystemPath(path).c_str(), attributes) != FALSE;
}

std::unique_ptr<FolderListing> Win32FileSystem::OpenListing(const std::wstring& folder) {
    if (folder.empty()) {
        return nullptr;  // "" + "\*" would list the current drive's root
    }
    const std::wstring pattern = ToSystemPath(JoinPath(folder, L"*"));
    const RedirectionOff redirection_off;  // the handle then lists the folder named
    WIN32_FIND_DATAW data;
    FindHandle handle(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                       FindExSearchNameMatch, nullptr, FIND_FIRST_EX_LARGE_FETCH));
    if (!handle.valid() && GetLastError() == ERROR_INVALID_PARAMETER) {
        // Systems without large fetches refuse the flag; list without it.
        handle.reset(FindFirstFileExW(pattern.c_str(), FindExInfoBasic, &data,
                                      FindExSearchNameMatch, nullptr, 0));
    }
    if (!handle.valid()) {
        return nullptr;
    }
    return std::make_unique<Win32FolderListing>(std::move(handle), data);
}

bool Win32FileSystem::RemoveFile(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const RedirectionOff redirection_off;
    return DeleteFileW(ToSystemPath(path).c_str()) != FALSE;
}

bool Win32FileSystem::RemoveEmptyFolder(const std::wstring& path) {
    if (path.empty()) {
        return false;
    }
    const RedirectionOff redirection_off;
    return RemoveDirectoryW(ToSystemPath(path).c_str()) != FALSE;
}

bool Win32FileSystem::Recycle(const std::wstring& path) {
    // The shell cannot be kept from redirecting: it would recycle the 32-bit twin.
    if (IsRedirectedPath(path)) {
        return false;
    }
    return ShellDelete(path, kRecycleFlags, owner_);
}

}  // namespace vantrel
