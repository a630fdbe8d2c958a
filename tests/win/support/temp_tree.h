#pragma once

// A folder tree under the temporary folder for tests on real files; removed at the end
// (without following links).

#include <windows.h>

#include <string>

#include "engine/clean.h"
#include "engine/path.h"
#include "win32/win32_file_system.h"

namespace vantrel::testing {

class TempTree {
  public:
    explicit TempTree(const wchar_t* tag) {
        std::wstring temp(MAX_PATH + 1, L'\0');
        temp.resize(GetTempPathW(static_cast<DWORD>(temp.size()), temp.data()));
        root_ = temp + L"vantrel-" + tag + L"-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(GetTickCount());
        CreateDirectoryW(root_.c_str(), nullptr);
    }
    ~TempTree() {
        Win32FileSystem fs;
        RunState state;
        DeleteFolderTree(fs, state, root_);
    }
    TempTree(const TempTree&) = delete;
    TempTree& operator=(const TempTree&) = delete;

    const std::wstring& Root() const { return root_; }
    std::wstring Path(const std::wstring& relative) const { return root_ + L"\\" + relative; }

    // Creates the folder and its missing parents.
    std::wstring Folder(const std::wstring& relative) const {
        const std::wstring full = Path(relative);
        for (size_t at = root_.size() + 1; at <= full.size(); ++at) {
            if (at == full.size() || full[at] == L'\\') {
                CreateDirectoryW(ExtendedPathForm(full.substr(0, at)).c_str(), nullptr);
            }
        }
        return full;
    }
    std::wstring File(const std::wstring& relative, const std::string& content = "x",
                      DWORD attributes = FILE_ATTRIBUTE_NORMAL) const {
        const std::wstring full = Path(relative);
        const size_t slash = relative.find_last_of(L'\\');
        if (slash != std::wstring::npos) {
            Folder(relative.substr(0, slash));
        }
        HANDLE file = CreateFileW(ExtendedPathForm(full).c_str(), GENERIC_WRITE, 0, nullptr,
                                  CREATE_ALWAYS, attributes, nullptr);
        if (file != INVALID_HANDLE_VALUE) {
            DWORD written = 0;
            WriteFile(file, content.data(), static_cast<DWORD>(content.size()), &written, nullptr);
            CloseHandle(file);
        }
        return full;
    }

    // Sets the item's last-write time to `days` days before now, as a build tool or a copy
    // would leave it; false when that fails.
    bool SetAge(const std::wstring& relative, int days) const {
        HANDLE item = CreateFileW(ExtendedPathForm(Path(relative)).c_str(), FILE_WRITE_ATTRIBUTES,
                                  FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                                  OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (item == INVALID_HANDLE_VALUE) {
            return false;
        }
        FILETIME now;
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time{};
        time.LowPart = now.dwLowDateTime;
        time.HighPart = now.dwHighDateTime;
        time.QuadPart -= static_cast<ULONGLONG>(days) * 864000000000ULL;
        FILETIME written{time.LowPart, time.HighPart};
        const bool set = SetFileTime(item, nullptr, nullptr, &written) != FALSE;
        CloseHandle(item);
        return set;
    }

  private:
    std::wstring root_;
};

inline bool PathExists(const std::wstring& path) {
    return GetFileAttributesW(ExtendedPathForm(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

}  // namespace vantrel::testing
