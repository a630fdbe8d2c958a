#include <windows.h>

#include <string>

// Stand-in for Vantrel.exe in the extension's tests: writes its own command line, as
// UTF-16, to "command_line.txt" beside itself and exits. The file appears complete or
// not at all (written to a temporary name, then renamed).
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    std::wstring folder(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, folder.data(), 32768);
    if (length == 0 || length >= 32768) {
        return 1;
    }
    folder.resize(length);
    folder.erase(folder.find_last_of(L'\\') + 1);
    const std::wstring partial = folder + L"command_line.tmp";
    const std::wstring final_name = folder + L"command_line.txt";
    const std::wstring text = GetCommandLineW();
    HANDLE file = CreateFileW(partial.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 2;
    }
    DWORD written = 0;
    const BOOL ok = WriteFile(file, text.data(), static_cast<DWORD>(text.size() * sizeof(wchar_t)),
                              &written, nullptr);
    CloseHandle(file);
    if (!ok || !MoveFileExW(partial.c_str(), final_name.c_str(), MOVEFILE_REPLACE_EXISTING)) {
        return 3;
    }
    return 0;
}
