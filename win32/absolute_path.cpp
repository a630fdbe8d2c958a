#include "win32/absolute_path.h"

#include <windows.h>

#include "win32/win32_file_system.h"

namespace vantrel {

namespace {

std::wstring ProcessFolder() {
    for (DWORD size = MAX_PATH;;) {
        std::wstring folder(size, L'\0');
        const DWORD length = GetCurrentDirectoryW(size, folder.data());
        if (length == 0) {
            return std::wstring();
        }
        if (length < size) {
            folder.resize(length);
            return folder;
        }
        size = length;  // the folder changed or grew: ask again with room for it
    }
}

// Windows keeps a drive's current folder in the hidden variable "=D:"; GetFullPathNameW of
// the bare "D:" reads it (or the process's folder on its own drive, or the root). A bare
// drive holds no name to trim.
std::wstring DriveFolder(wchar_t letter) {
    const wchar_t drive[] = {letter, L':', L'\0'};
    for (DWORD size = MAX_PATH;;) {
        std::wstring folder(size, L'\0');
        const DWORD length = GetFullPathNameW(drive, size, folder.data(), nullptr);
        if (length == 0) {
            return std::wstring();
        }
        if (length < size) {
            folder.resize(length);
            return folder;
        }
        size = length;
    }
}

}  // namespace

CurrentFolders ProcessCurrentFolders() {
    return CurrentFolders{&ProcessFolder, &DriveFolder};
}

std::wstring MakeAbsolute(const std::wstring& path) {
    return AbsolutePathForm(path, ProcessCurrentFolders());
}

std::wstring ExistingFolderForm(const std::wstring& text) {
    std::wstring folder = MakeAbsolute(text);
    if (folder.empty() || !Win32FileSystem().IsDirectory(folder)) {
        return std::wstring();
    }
    return folder;
}

}  // namespace vantrel
