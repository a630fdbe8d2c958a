// Test helper of the end-to-end scripts, playing another program or the user:
//   e2e_helper.exe hold <file> <ready-marker> <seconds>
//     Holds <file> open sharing only reading, as another program would, so that nobody can
//     delete it; creates <ready-marker> once the file is open, then waits <seconds>.
//   e2e_helper.exe answer-no <seconds>
//     Waits up to <seconds> for a message box with a No button and presses No.
//   e2e_helper.exe close-then-yes <seconds>
//     Waits up to <seconds> for such a box, closes the window that owns it (as the user
//     closes a window while its run asks), then presses Yes.
//   e2e_helper.exe press <control-id> <seconds>
//     Waits up to <seconds> for a dialog window showing an enabled control with that id
//     (Vantrel's main window: Clean is 1033, Close is 1) and presses it, as the user would.
//   e2e_helper.exe close <seconds>
//     Waits up to <seconds> for a window titled "Vantrel" (the main window or the usage
//     box) and asks every such window to close (WM_CLOSE), as the close box does. Unlike
//     taskkill /IM, it finds a 32-bit program under emulation (taskkill takes each
//     program's name from its memory, and finds none under qemu).
// Exit code 0 when done, 1 when the file could not be opened or no such box came, 2 for a
// wrong command line.
#include <windows.h>

#include <cwchar>
#include <string>

namespace {

DWORD Seconds(const wchar_t* text) {
    return static_cast<DWORD>(std::wcstoul(text, nullptr, 10));
}

int Hold(const wchar_t* path, const wchar_t* marker_path, DWORD seconds) {
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return 1;
    }
    HANDLE marker = CreateFileW(marker_path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr);
    if (marker != INVALID_HANDLE_VALUE) {
        CloseHandle(marker);
    }
    Sleep(seconds * 1000u);
    CloseHandle(file);
    return 0;
}

BOOL CALLBACK FindNoBox(HWND window, LPARAM found) {
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    if (IsWindowVisible(window) && std::wstring(class_name) == L"#32770" &&
        GetDlgItem(window, IDNO) != nullptr) {
        *reinterpret_cast<HWND*>(found) = window;
        return FALSE;
    }
    return TRUE;
}

// Waits for a box with a No button; nullptr when none came within `seconds`.
HWND WaitForQuestion(DWORD seconds) {
    for (DWORD waited = 0; waited < seconds * 10u; ++waited) {
        HWND box = nullptr;
        EnumWindows(&FindNoBox, reinterpret_cast<LPARAM>(&box));
        if (box != nullptr) {
            return box;
        }
        Sleep(100);
    }
    return nullptr;
}

int Answer(DWORD seconds, int button, bool close_owner_first) {
    HWND box = WaitForQuestion(seconds);
    if (box == nullptr) {
        return 1;
    }
    if (close_owner_first) {
        // Sent, not posted: the owner has taken the close request before the answer.
        DWORD_PTR result = 0;
        SendMessageTimeoutW(GetWindow(box, GW_OWNER), WM_CLOSE, 0, 0, SMTO_NORMAL, 10000, &result);
    }
    PostMessageW(box, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED),
                 reinterpret_cast<LPARAM>(GetDlgItem(box, button)));
    return 0;
}

struct ControlSearch {
    int id;
    HWND window;
};

BOOL CALLBACK FindDialogWithControl(HWND window, LPARAM search_address) {
    auto* search = reinterpret_cast<ControlSearch*>(search_address);
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    const HWND control = GetDlgItem(window, search->id);
    if (IsWindowVisible(window) && std::wstring(class_name) == L"#32770" && control != nullptr &&
        IsWindowVisible(control) && IsWindowEnabled(control)) {
        search->window = window;
        return FALSE;
    }
    return TRUE;
}

int Press(int id, DWORD seconds) {
    for (DWORD waited = 0; waited < seconds * 10u; ++waited) {
        ControlSearch search{id, nullptr};
        EnumWindows(&FindDialogWithControl, reinterpret_cast<LPARAM>(&search));
        if (search.window != nullptr) {
            PostMessageW(search.window, WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(search.window, id)));
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

BOOL CALLBACK CloseVantrelWindows(HWND window, LPARAM closed) {
    wchar_t class_name[16] = {};
    wchar_t title[16] = {};
    GetClassNameW(window, class_name, 16);
    GetWindowTextW(window, title, 16);
    if (IsWindowVisible(window) && std::wstring(class_name) == L"#32770" &&
        std::wstring(title) == L"Vantrel") {
        PostMessageW(window, WM_CLOSE, 0, 0);
        *reinterpret_cast<bool*>(closed) = true;
    }
    return TRUE;
}

int Close(DWORD seconds) {
    for (DWORD waited = 0; waited < seconds * 10u; ++waited) {
        bool closed = false;
        EnumWindows(&CloseVantrelWindows, reinterpret_cast<LPARAM>(&closed));
        if (closed) {
            return 0;
        }
        Sleep(100);
    }
    return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    const std::wstring command = argc > 1 ? argv[1] : L"";
    if (command == L"hold" && argc == 5) {
        return Hold(argv[2], argv[3], Seconds(argv[4]));
    }
    if (command == L"answer-no" && argc == 3) {
        return Answer(Seconds(argv[2]), IDNO, false);
    }
    if (command == L"close-then-yes" && argc == 3) {
        return Answer(Seconds(argv[2]), IDYES, true);
    }
    if (command == L"press" && argc == 4) {
        return Press(static_cast<int>(Seconds(argv[2])), Seconds(argv[3]));
    }
    if (command == L"close" && argc == 3) {
        return Close(Seconds(argv[2]));
    }
    return 2;
}
