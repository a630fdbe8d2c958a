#include "win32/win32_file_system.h"

#include "engine/items.h"
#include "engine/path.h"
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
                const DWORD error = GetLastError();
                state_ = error == ERROR_NO_MORE_FILES ? State::Complete : State::Failed;
                error_ = state_ == State::Failed ? error : ERROR_SUCCESS;
                handle_.reset();
                return false;
            }
        }
        pending_ = false;
        entry.name.assign(data_.cFileName);
        entry.size = static_cast<int64_t>((static_cast<uint64_t>(data_.nFileSizeHigh) << 32) |
                                          data_.nFileSizeLow);
        entry.attributes = data_.dwFileAttributes;
        entry.last_write = (static_cast<uint64_t>(data_.ftLastWriteTime.dwHighDateTime) << 32) |
                           data_.ftLastWriteTime.dwLowDateTime;
        return true;
    }

    State GetState() const override { return state_; }
    uint32_t Error() const override { return error_; }

  private:
    FindHandle handle_;
    WIN32_FIND_DATAW data_;
    bool pending_ = true;  // FindFirstFileExW has already delivered the first entry
    State state_ = State::Reading;
    DWORD error_ = ERROR_SUCCESS;
};

bool IsRealFolder(DWORD attributes) {
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
           (attributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0;
}

// Frees a buffer that FormatMessageW allocated.
struct LocalText {
    wchar_t* text = nullptr;
    ~LocalText() { LocalFree(text); }
};

}  // namespace

bool Win32FileSystem::Exists(const std::wstring& path) {
    return GetAttributes(path) != kInvalidAttributes;
}

bool Win32FileSystem::IsDirectory(const std::wstring& path) {
    const uint32_t attributes = GetAttributes(path);
    return attributes != kInvalidAttributes && (attributes & kAttributeDirectory) != 0;
}

uint32_t Win32FileSystem::GetAttributes(const std::wstring& path) {
    if (path.empty()) {
        last_error_ = ERROR_PATH_NOT_FOUND;
        return kInvalidAttributes;
    }
    const RedirectionOff redirection_off;
    const DWORD attributes = GetFileAttributesW(ToSystemPath(path).c_str());
    return attributes == INVALID_FILE_ATTRIBUTES ? Noted(kInvalidAttributes) : attributes;
}

bool Win32FileSystem::SetAttributes(const std::wstring& path, uint32_t attributes) {
    if (path.empty()) {
        return false;
    }
    const RedirectionOff redirection_off;
    return SetFileAttributesW(ToSystemPath(path).c_str(), attributes) != FALSE || Noted(false);
}

std::unique_ptr<FolderListing> Win32FileSystem::OpenListing(const std::wstring& folder) {
    if (folder.empty()) {
        last_error_ = ERROR_PATH_NOT_FOUND;
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
        return Noted(nullptr);
    }
    return std::make_unique<Win32FolderListing>(std::move(handle), data);
}

bool Win32FileSystem::RemoveFile(const std::wstring& path) {
    if (path.empty()) {
        last_error_ = ERROR_FILE_NOT_FOUND;
        return false;
    }
    const RedirectionOff redirection_off;
    return DeleteFileW(ToSystemPath(path).c_str()) != FALSE || Noted(false);
}

bool Win32FileSystem::RemoveEmptyFolder(const std::wstring& path) {
    if (path.empty()) {
        last_error_ = ERROR_PATH_NOT_FOUND;
        return false;
    }
    const RedirectionOff redirection_off;
    return RemoveDirectoryW(ToSystemPath(path).c_str()) != FALSE || Noted(false);
}

bool Win32FileSystem::Recycle(const std::wstring& path) {
    // The shell cannot be kept from redirecting: it would recycle the 32-bit twin.
    if (IsRedirectedPath(path)) {
        last_error_ = ERROR_ACCESS_DENIED;
        return false;
    }
    const RecycleOutcome outcome = RecycleItem(path, owner_);
    if (outcome == RecycleOutcome::Recycled) {
        return true;
    }
    last_error_ = outcome == RecycleOutcome::Refused ? kErrorCannotRecycle : ERROR_CANCELLED;
    return false;
}

std::wstring Win32FileSystem::ErrorText(uint32_t code) {
    LocalText message;
    const DWORD length = FormatMessageW(
        FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
        nullptr, code, 0, reinterpret_cast<wchar_t*>(&message.text), 0, nullptr);
    std::wstring text(message.text != nullptr ? message.text : L"", length);
    // The system's messages end with a line break.
    while (!text.empty() && (text.back() == L'\r' || text.back() == L'\n' || text.back() == L' ')) {
        text.pop_back();
    }
    return text;
}

uint32_t Win32FileSystem::HoldFolder(const std::wstring& folder) {
    if (folder.empty()) {
        return ERROR_PATH_NOT_FOUND;
    }
    const std::wstring system_path = ToSystemPath(folder);
    const RedirectionOff redirection_off;
    // The link itself is opened, never its target; without delete sharing nobody can
    // rename, move or remove the folder while the handle is open. Listing access makes the
    // handle count in the sharing checks (attribute-only handles do not).
    FileHandle handle(CreateFileW(system_path.c_str(), FILE_LIST_DIRECTORY | FILE_READ_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr, OPEN_EXISTING,
                                  FILE_FLAG_BACKUP_SEMANTICS | FILE_FLAG_OPEN_REPARSE_POINT,
                                  nullptr));
    if (!handle.valid()) {
        const DWORD error = GetLastError();
        // A file where a folder was expected cannot be opened as a folder on every system.
        return error == ERROR_DIRECTORY ? static_cast<DWORD>(kErrorNotAFolder) : error;
    }
    // Only the attributes are asked: GetFileInformationByHandle also asks the volume for its
    // serial number, which under Wine is a round trip to another process for every folder.
    FILE_BASIC_INFO info = {};
    if (!GetFileInformationByHandleEx(handle.get(), FileBasicInfo, &info, sizeof(info))) {
        return GetLastError();
    }
    // The handle tells what was opened. The name is asked too: Wine opens a Unix symlink's
    // target and reports the link only for the name.
    const DWORD by_name = GetFileAttributesW(system_path.c_str());
    if (!IsRealFolder(info.FileAttributes) || !IsRealFolder(by_name)) {
        const bool is_link =
            ((info.FileAttributes | by_name) & FILE_ATTRIBUTE_REPARSE_POINT) != 0 &&
            by_name != INVALID_FILE_ATTRIBUTES;
        return is_link ? kErrorLinkOnPath : static_cast<uint32_t>(kErrorNotAFolder);
    }
    held_.push_back(std::move(handle));
    return ERROR_SUCCESS;
}

void Win32FileSystem::ReleaseFolders(size_t keep) {
    while (held_.size() > keep) {
        held_.pop_back();
    }
}

}  // namespace vantrel
