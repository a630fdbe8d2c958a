// Pictures of the main window after a scan and after a clean whose items end differently:
// most deleted, one left because it is read-only, one failed because another program holds
// it open. A keep filter leaves the start-up object alone, and the age holds back what was
// built a moment ago. Skipped unless VANTREL_MAIN_SHOTS names a folder; run under a virtual desktop
// so that the frame is drawn (scripts/main-cleaned-shot.sh does all of it). The sample folders are
// C:\Projects\hello and C:\Projects\tools, as in the other pictures, and are removed after.

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>
#include <memory>
#include <string>

#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "engine/clean.h"
#include "resources/resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/main/main_dlg.h"
#include "win32/win32_file_system.h"

namespace vantrel {
namespace {

std::wstring ShotFolder() {
    const wchar_t* folder = _wgetenv(L"VANTREL_MAIN_SHOTS");
    return folder != nullptr ? folder : L"";
}

bool FileExists(const std::wstring& path) {
    return GetFileAttributesW(path.c_str()) != INVALID_FILE_ATTRIBUTES;
}

// The sample projects: GCC output next to sources, built weeks ago but for the tools'
// parser, rebuilt a moment ago.
class SampleProjects {
  public:
    static constexpr const wchar_t* kRoot = L"C:\\Projects";

    SampleProjects() {
        for (const wchar_t* folder : {L"", L"\\hello", L"\\hello\\src", L"\\hello\\build",
                                      L"\\hello\\build\\obj", L"\\tools", L"\\tools\\lib"}) {
            CreateDirectoryW((std::wstring(kRoot) + folder).c_str(), nullptr);
        }
        struct Sample {
            const wchar_t* path;
            DWORD bytes;
            DWORD attributes;
            int days_old;
        } samples[] = {
            {L"\\hello\\src\\main.c", 26, FILE_ATTRIBUTE_NORMAL, 60},
            {L"\\hello\\Makefile", 32, FILE_ATTRIBUTE_NORMAL, 60},
            {L"\\hello\\build\\crt0.o", 2048, FILE_ATTRIBUTE_NORMAL, 45},
            {L"\\hello\\build\\main.o", 5120, FILE_ATTRIBUTE_NORMAL, 45},
            {L"\\hello\\build\\main.d", 20, FILE_ATTRIBUTE_NORMAL, 45},
            {L"\\hello\\build\\util.o", 12288, FILE_ATTRIBUTE_NORMAL, 44},
            {L"\\hello\\build\\util.d", 20, FILE_ATTRIBUTE_NORMAL, 44},
            {L"\\hello\\build\\version.o", 3072, FILE_ATTRIBUTE_READONLY, 44},
            {L"\\hello\\build\\obj\\a.o", 40960, FILE_ATTRIBUTE_NORMAL, 50},
            {L"\\hello\\build\\obj\\b.o", 81920, FILE_ATTRIBUTE_NORMAL, 48},
            {L"\\hello\\build\\obj", 0, FILE_ATTRIBUTE_DIRECTORY, 48},
            {L"\\tools\\lib\\parse.c", 21, FILE_ATTRIBUTE_NORMAL, 0},
            {L"\\tools\\lib\\parse.o", 20480, FILE_ATTRIBUTE_NORMAL, 0},
            {L"\\tools\\lib\\parse.d", 18, FILE_ATTRIBUTE_NORMAL, 0},
            {L"\\tools\\lib\\lexer.o", 8192, FILE_ATTRIBUTE_NORMAL, 31},
        };
        for (const Sample& sample : samples) {
            const std::wstring path = std::wstring(kRoot) + sample.path;
            if (sample.attributes != FILE_ATTRIBUTE_DIRECTORY) {
                Write(path, sample.bytes, sample.attributes);
            }
            Age(path, sample.days_old);
        }
        // Held open without delete sharing for the whole clean, so its deletion fails.
        held_ =
            CreateFileW((std::wstring(kRoot) + L"\\tools\\lib\\lexer.o").c_str(), GENERIC_READ,
                        FILE_SHARE_READ, nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    }
    ~SampleProjects() {
        if (held_ != INVALID_HANDLE_VALUE) {
            CloseHandle(held_);
        }
        Win32FileSystem fs;
        RunState state;
        DeleteFolderTree(fs, state, kRoot);
    }
    SampleProjects(const SampleProjects&) = delete;
    SampleProjects& operator=(const SampleProjects&) = delete;

    bool Ready() const { return held_ != INVALID_HANDLE_VALUE; }

  private:
    // Sets the last-write time `days` days back (a folder's after its content is written).
    static void Age(const std::wstring& path, int days) {
        HANDLE item =
            CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, FILE_SHARE_READ | FILE_SHARE_WRITE,
                        nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
        if (item == INVALID_HANDLE_VALUE) {
            return;
        }
        FILETIME now{};
        GetSystemTimeAsFileTime(&now);
        ULARGE_INTEGER time{};
        time.LowPart = now.dwLowDateTime;
        time.HighPart = now.dwHighDateTime;
        time.QuadPart -= static_cast<ULONGLONG>(days) * 864000000000ULL;
        const FILETIME written{time.LowPart, time.HighPart};
        SetFileTime(item, nullptr, nullptr, &written);
        CloseHandle(item);
    }

    static void Write(const std::wstring& path, DWORD bytes, DWORD attributes) {
        HANDLE file = CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                  attributes, nullptr);
        if (file == INVALID_HANDLE_VALUE) {
            return;
        }
        const std::string content(bytes, '\0');
        DWORD written = 0;
        WriteFile(file, content.data(), bytes, &written, nullptr);
        CloseHandle(file);
    }

    HANDLE held_ = INVALID_HANDLE_VALUE;
};

class MainWindowShots : public ::testing::Test {
  protected:
    void SetUp() override {
        if (ShotFolder().empty()) {
            GTEST_SKIP() << "set VANTREL_MAIN_SHOTS to a folder to take the picture";
        }
        CreateDirectoryW(ShotFolder().c_str(), nullptr);
        ASSERT_TRUE(resources.Initialize(GetModuleHandleW(nullptr)));
        settings.CustomIndex = LoadPresets(profile, settings.Presets);
    }

    void Pump(DWORD milliseconds) {
        const DWORD start = GetTickCount();
        while (GetTickCount() - start < milliseconds) {
            MsgWaitForMultipleObjects(0, nullptr, FALSE, 10, QS_ALLINPUT);
            dialog->PumpPendingMessages();
        }
    }
    bool WaitIdle() {
        const DWORD start = GetTickCount();
        while (dialog->IsBusy()) {
            if (GetTickCount() - start > 20000) {
                return false;
            }
            Pump(20);
        }
        return true;
    }
    void Click(int id) {
        SendMessageW(dialog->hwnd(), WM_COMMAND, MAKEWPARAM(id, BN_CLICKED),
                     reinterpret_cast<LPARAM>(dialog->Item(id)));
    }

    // Lets the window paint, announces "<name>.ready" and keeps it on screen (and
    // painting) until the picture taker answers with "<name>.done".
    void Capture(const std::wstring& name) {
        Pump(800);
        const std::wstring base = ShotFolder() + L"\\" + name;
        HANDLE ready = CreateFileW((base + L".ready").c_str(), GENERIC_WRITE, 0, nullptr,
                                   CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
        CloseHandle(ready);
        const DWORD start = GetTickCount();
        while (!FileExists(base + L".done") && GetTickCount() - start < 15000) {
            Pump(50);
        }
    }

    // Scans the samples with the GCC preset's filter plus object folders, keeping start-up
    // objects, listing only what is a month old.
    void Scan() {
        dialog = std::make_unique<CMainDlg>(settings, resources, profile, nullptr, nullptr);
        ASSERT_NE(dialog->CreateModeless(nullptr), nullptr);
        ShowWindow(dialog->hwnd(), SW_SHOW);
        SetForegroundWindow(dialog->hwnd());
        dialog->PumpPendingMessages();

        ASSERT_EQ(dialog->AddFolder(L"C:\\Projects\\hello"), 0);
        ASSERT_EQ(dialog->AddFolder(L"C:\\Projects\\tools"), 1);
        SetWindowTextW(dialog->Item(IDC_FILTER_EDIT), L"*.o;*.d;obj");
        SetWindowTextW(dialog->Item(IDC_KEEP_EDIT), L"crt*.o");
        SetWindowTextW(dialog->Item(IDC_OLDER_EDIT), L"30");
        for (int id : {IDC_DELETE_FILES, IDC_DELETE_FOLDERS, IDC_SCAN_SUBFOLDERS}) {
            CheckDlgButton(dialog->hwnd(), id, BST_CHECKED);
        }
        for (int id : {IDC_DELETE_EMPTY_FILES, IDC_DELETE_EMPTY_FOLDERS, IDC_DELETE_READONLYS,
                       IDC_RECYCLE_FILES}) {
            CheckDlgButton(dialog->hwnd(), id, BST_UNCHECKED);
        }
        Pump(200);
        Click(IDC_SCAN);
        ASSERT_TRUE(WaitIdle());
        ASSERT_EQ(dialog->Files().RowCount(), 7);
    }

    CUiResources resources;
    MemoryRegistryProfile profile;
    AppSettings settings;
    std::unique_ptr<CMainDlg> dialog;
};

TEST_F(MainWindowShots, AfterAScanWithKeepAndAge) {
    SampleProjects samples;
    ASSERT_TRUE(samples.Ready());
    ASSERT_NO_FATAL_FAILURE(Scan());
    SetFocus(dialog->Item(IDC_SCAN));
    Capture(L"main-scanned");
    dialog->Destroy();
}

TEST_F(MainWindowShots, AfterACleanWithMixedOutcomes) {
    SampleProjects samples;
    ASSERT_TRUE(samples.Ready());
    ASSERT_NO_FATAL_FAILURE(Scan());
    Click(IDC_CLEAN);
    ASSERT_TRUE(WaitIdle());
    SetFocus(dialog->Item(IDC_CLEAN));
    Capture(L"main-cleaned");
    dialog->Destroy();
}

}  // namespace
}  // namespace vantrel
