#include "win32/whole_file_writer.h"

#include <windows.h>

#include "win32/absolute_path.h"
#include "win32/handles.h"
#include "win32/long_path.h"

namespace vantrel {
namespace {

bool WriteAll(HANDLE file, const std::string& bytes) {
    size_t done = 0;
    while (done < bytes.size()) {
        const size_t left = bytes.size() - done;
        const DWORD chunk = left > 0x40000000u ? 0x40000000u : static_cast<DWORD>(left);
        DWORD written = 0;
        if (!WriteFile(file, bytes.data() + done, chunk, &written, nullptr) || written == 0) {
            return false;
        }
        done += written;
    }
    return FlushFileBuffers(file) != FALSE;
}

}  // namespace

bool WriteWholeFile(const std::wstring& path, const std::string& bytes) {
    if (path.empty() || path.back() == L'\\' || path.back() == L'/') {
        return false;  // names a folder, not a file
    }
    // Made absolute by its text: a report named "out." stays "out.", never "out".
    const std::wstring target = MakeAbsolute(path);
    if (target.empty() || target.back() == L'\\' || target.back() == L'/') {
        return false;
    }
    // A name beside the target, so the rename stays within one folder (and one volume).
    const std::wstring stem = target + L"." + std::to_wstring(GetCurrentProcessId()) + L"-";
    for (int attempt = 0; attempt < 100; ++attempt) {
        const std::wstring temporary = ToSystemPath(stem + std::to_wstring(attempt) + L".tmp");
        FileHandle file(CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                    FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file.valid()) {
            if (GetLastError() == ERROR_FILE_EXISTS || GetLastError() == ERROR_ALREADY_EXISTS) {
                continue;
            }
            return false;
        }
        const bool written = WriteAll(file.get(), bytes);
        const bool closed = file.close();
        if (written && closed &&
            MoveFileExW(temporary.c_str(), ToSystemPath(target).c_str(),
                        MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
            return true;
        }
        DeleteFileW(temporary.c_str());
        return false;
    }
    return false;
}

}  // namespace vantrel
