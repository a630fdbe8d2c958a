// Plays Explorer against the installed VantrelShell.dll, for the end-to-end tests.
//
//   explorer_driver invoke "<menu entry>" <folder>...
//       Creates the registered context-menu handler, initialises it with a data object
//       holding the folders as CF_HDROP, builds the menu, finds the entry of the "Vantrel"
//       submenu by its text and invokes it by its offset.
//   explorer_driver folders "<window title>" <seconds>
//       Waits for the top-level dialog with that title and prints the rows of its folder
//       list (control 1014), one path a line.
//   explorer_driver close "<window title>" <seconds>
//       Waits for that dialog and posts it WM_CLOSE.
//
// Exit code 0 on success, 1 on a failure (with a message on stderr), 2 on bad usage.
#include <windows.h>
#include <commctrl.h>
#include <objidl.h>
#include <shlobj.h>
#include <shobjidl.h>

#include <cstdint>
#include <cstdio>
#include <cstring>
#include <cwchar>
#include <string>
#include <vector>

namespace {

constexpr CLSID kClsidMyContextMenu = {
    0xE534891D, 0x61B8, 0x41BC, {0x90, 0x28, 0x92, 0xC3, 0x28, 0xD6, 0x4E, 0xEA}};
constexpr int kFolderListId = 1014;
constexpr UINT kFirstCommandId = 100;
constexpr UINT kLastCommandId = 0x7FFF;

int Fail(const char* what, HRESULT hr = S_OK) {
    std::fprintf(stderr, "explorer_driver: %s (0x%08lX)\n", what, static_cast<unsigned long>(hr));
    return 1;
}

// A data object with one format, CF_HDROP in global memory, the way Explorer hands a
// selection of items to a shell extension.
class CDropDataObject : public IDataObject {
  public:
    explicit CDropDataObject(const std::vector<std::wstring>& paths) {
        std::vector<wchar_t> list;
        for (const std::wstring& path : paths) {
            list.insert(list.end(), path.begin(), path.end());
            list.push_back(L'\0');
        }
        list.push_back(L'\0');
        bytes_.resize(sizeof(DROPFILES) + list.size() * sizeof(wchar_t));
        DROPFILES header = {};
        header.pFiles = sizeof(DROPFILES);
        header.fWide = TRUE;
        std::memcpy(bytes_.data(), &header, sizeof(header));
        std::memcpy(bytes_.data() + sizeof(DROPFILES), list.data(), list.size() * sizeof(wchar_t));
    }
    virtual ~CDropDataObject() = default;

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (ppv == nullptr) {
            return E_POINTER;
        }
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return static_cast<ULONG>(++references_); }
    STDMETHODIMP_(ULONG) Release() override {
        const LONG count = --references_;
        if (count == 0) {
            delete this;
        }
        return static_cast<ULONG>(count);
    }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (format == nullptr || medium == nullptr) {
            return E_INVALIDARG;
        }
        const HRESULT supported = QueryGetData(format);
        if (supported != S_OK) {
            return supported;
        }
        HGLOBAL memory = GlobalAlloc(GMEM_MOVEABLE, bytes_.size());
        if (memory == nullptr) {
            return E_OUTOFMEMORY;
        }
        void* target = GlobalLock(memory);
        std::memcpy(target, bytes_.data(), bytes_.size());
        GlobalUnlock(memory);
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = memory;
        medium->pUnkForRelease = nullptr;
        return S_OK;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        if (format->cfFormat != CF_HDROP) {
            return DV_E_FORMATETC;
        }
        if ((format->tymed & TYMED_HGLOBAL) == 0) {
            return DV_E_TYMED;
        }
        return format->dwAspect == DVASPECT_CONTENT ? S_OK : DV_E_DVASPECT;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC* out) override {
        if (out != nullptr) {
            out->ptd = nullptr;
        }
        return E_NOTIMPL;
    }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  private:
    LONG references_ = 1;
    std::vector<unsigned char> bytes_;
};

template <typename T>
class ComPtr {
  public:
    ComPtr() = default;
    ~ComPtr() {
        if (p_ != nullptr) {
            p_->Release();
        }
    }
    ComPtr(const ComPtr&) = delete;
    ComPtr& operator=(const ComPtr&) = delete;
    T* get() const { return p_; }
    T* operator->() const { return p_; }
    void** put() { return reinterpret_cast<void**>(&p_); }
    void reset(T* p) {
        if (p_ != nullptr) {
            p_->Release();
        }
        p_ = p;
    }

  private:
    T* p_ = nullptr;
};

struct MenuOwner {
    HMENU menu = CreatePopupMenu();
    ~MenuOwner() {
        if (menu != nullptr) {
            DestroyMenu(menu);
        }
    }
};

std::wstring MenuItemText(HMENU menu, int position) {
    const int length = GetMenuStringW(menu, static_cast<UINT>(position), nullptr, 0, MF_BYPOSITION);
    if (length <= 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    GetMenuStringW(menu, static_cast<UINT>(position), text.data(), length + 1, MF_BYPOSITION);
    text.resize(static_cast<size_t>(length));
    return text;
}

// The command id of the entry captioned entry_text in the "Vantrel" submenu, or 0.
UINT FindEntry(HMENU menu, const std::wstring& entry_text) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        HMENU submenu = GetSubMenu(menu, i);
        if (submenu == nullptr || MenuItemText(menu, i) != L"Vantrel") {
            continue;
        }
        const int entries = GetMenuItemCount(submenu);
        for (int k = 0; k < entries; ++k) {
            if (MenuItemText(submenu, k) == entry_text) {
                const UINT id = GetMenuItemID(submenu, k);
                return id == static_cast<UINT>(-1) ? 0 : id;
            }
        }
    }
    return 0;
}

void PrintSubmenu(HMENU menu) {
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        if (HMENU submenu = GetSubMenu(menu, i)) {
            for (int k = 0; k < GetMenuItemCount(submenu); ++k) {
                std::fwprintf(stderr, L"  entry %d: %ls\n", k, MenuItemText(submenu, k).c_str());
            }
        }
    }
}

// A registry value's text, or empty when it is missing or not a string.
std::wstring ReadRegistryText(HKEY root, const std::wstring& key, const wchar_t* name) {
    DWORD bytes = 0;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, nullptr, &bytes) !=
            ERROR_SUCCESS ||
        bytes < sizeof(wchar_t)) {
        return {};
    }
    std::wstring text(bytes / sizeof(wchar_t), L'\0');
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes) !=
        ERROR_SUCCESS) {
        return {};
    }
    text.resize(std::wcslen(text.c_str()));
    return text;
}

// Windows sees a per-user registration through HKEY_CLASSES_ROOT, which merges
// HKCU\Software\Classes over the machine's classes; Wine 8 does not merge them, so its
// CoCreateInstance finds no class registered per user. In that case the class is created
// the way COM would from the per-user entry: its InprocServer32 library's class object.
HRESULT CreateFromPerUserRegistration(const CLSID& clsid, REFIID riid, void** object) {
    wchar_t clsid_text[40] = {};
    StringFromGUID2(clsid, clsid_text, 40);
    const std::wstring server = ReadRegistryText(
        HKEY_CURRENT_USER,
        L"Software\\Classes\\CLSID\\" + std::wstring(clsid_text) + L"\\InprocServer32", nullptr);
    if (server.empty()) {
        return REGDB_E_CLASSNOTREG;
    }
    std::fwprintf(stderr, L"explorer_driver: class from the per-user entry: %ls\n", server.c_str());
    HMODULE library = LoadLibraryW(server.c_str());  // stays loaded, as COM keeps it
    if (library == nullptr) {
        return HRESULT_FROM_WIN32(GetLastError());
    }
    using GetClassObjectFunction = HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**);
    auto get_class_object = reinterpret_cast<GetClassObjectFunction>(
        reinterpret_cast<void*>(GetProcAddress(library, "DllGetClassObject")));
    if (get_class_object == nullptr) {
        return CO_E_ERRORINDLL;
    }
    ComPtr<IClassFactory> factory;
    HRESULT hr = get_class_object(clsid, IID_IClassFactory, factory.put());
    if (FAILED(hr)) {
        return hr;
    }
    return factory->CreateInstance(nullptr, riid, object);
}

int Invoke(const std::wstring& entry_text, const std::vector<std::wstring>& folders) {
    // Explorer finds the handler's class through the folder handler key.
    const std::wstring clsid_text = ReadRegistryText(
        HKEY_CLASSES_ROOT, L"Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel", nullptr);
    const std::wstring user_clsid_text = ReadRegistryText(
        HKEY_CURRENT_USER,
        L"Software\\Classes\\Folder\\ShellEx\\ContextMenuHandlers\\Zephrane.Vantrel", nullptr);
    const std::wstring& handler = user_clsid_text.empty() ? clsid_text : user_clsid_text;
    CLSID clsid = {};
    if (handler.empty() || FAILED(CLSIDFromString(handler.c_str(), &clsid))) {
        return Fail("no context-menu handler registered for folders");
    }
    if (!IsEqualCLSID(clsid, kClsidMyContextMenu)) {
        return Fail("the folder handler names another class");
    }
    ComPtr<IShellExtInit> init;
    HRESULT hr =
        CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER, IID_IShellExtInit, init.put());
    if (hr == REGDB_E_CLASSNOTREG) {
        hr = CreateFromPerUserRegistration(clsid, IID_IShellExtInit, init.put());
    }
    if (FAILED(hr)) {
        return Fail("creating the registered class failed", hr);
    }
    ComPtr<IDataObject> data;
    data.reset(new CDropDataObject(folders));
    hr = init->Initialize(nullptr, data.get(), nullptr);
    if (FAILED(hr)) {
        return Fail("IShellExtInit::Initialize failed", hr);
    }
    ComPtr<IContextMenu> context_menu;
    hr = init->QueryInterface(IID_IContextMenu, context_menu.put());
    if (FAILED(hr)) {
        return Fail("no IContextMenu", hr);
    }
    MenuOwner menu;
    hr = context_menu->QueryContextMenu(menu.menu, 0, kFirstCommandId, kLastCommandId, CMF_NORMAL);
    if (FAILED(hr) || HRESULT_CODE(hr) == 0) {
        return Fail("QueryContextMenu added nothing", hr);
    }
    const UINT id = FindEntry(menu.menu, entry_text);
    if (id < kFirstCommandId) {
        PrintSubmenu(menu.menu);
        return Fail("menu entry not found");
    }
    CMINVOKECOMMANDINFO info = {};
    info.cbSize = sizeof(info);
    info.lpVerb = MAKEINTRESOURCEA(id - kFirstCommandId);
    info.nShow = SW_SHOWNORMAL;
    hr = context_menu->InvokeCommand(&info);
    if (FAILED(hr)) {
        return Fail("InvokeCommand failed", hr);
    }
    return 0;
}

struct WindowSearch {
    const wchar_t* title;
    HWND found;
};

BOOL CALLBACK MatchDialog(HWND window, LPARAM param) {
    auto* search = reinterpret_cast<WindowSearch*>(param);
    wchar_t class_name[16] = {};
    GetClassNameW(window, class_name, 16);
    const int length = GetWindowTextLengthW(window);
    std::wstring title(static_cast<size_t>(length) + 1, L'\0');
    GetWindowTextW(window, title.data(), length + 1);
    title.resize(static_cast<size_t>(length));
    if (std::wcscmp(class_name, L"#32770") == 0 && title == search->title &&
        IsWindowVisible(window)) {
        search->found = window;
        return FALSE;
    }
    return TRUE;
}

HWND WaitForDialog(const wchar_t* title, int seconds) {
    for (int waited = 0; waited <= seconds * 10; ++waited) {
        WindowSearch search = {title, nullptr};
        EnumWindows(MatchDialog, reinterpret_cast<LPARAM>(&search));
        if (search.found != nullptr) {
            return search.found;
        }
        Sleep(100);
    }
    return nullptr;
}

// The list view belongs to another process, possibly a 32-bit one: the item record and
// the text buffer are placed in that process, laid out for its pointer size.
struct RemoteItem32 {
    UINT mask, iItem, iSubItem, state, stateMask;
    uint32_t pszText;
    int cchTextMax, iImage;
    uint32_t lParam;
    int iIndent, iGroupId;
    UINT cColumns;
    uint32_t puColumns, piColFmt;
    int iGroup;
};

class RemoteMemory {
  public:
    RemoteMemory(HANDLE process, size_t bytes)
        : process_(process),
          address_(
              VirtualAllocEx(process, nullptr, bytes, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE)) {}
    ~RemoteMemory() {
        if (address_ != nullptr) {
            VirtualFreeEx(process_, address_, 0, MEM_RELEASE);
        }
    }
    RemoteMemory(const RemoteMemory&) = delete;
    RemoteMemory& operator=(const RemoteMemory&) = delete;
    void* get() const { return address_; }

  private:
    HANDLE process_;
    void* address_;
};

struct HandleOwner {
    HANDLE handle;
    ~HandleOwner() {
        if (handle != nullptr) {
            CloseHandle(handle);
        }
    }
};

int PrintFolders(HWND dialog) {
    HWND list = GetDlgItem(dialog, kFolderListId);
    if (list == nullptr) {
        return Fail("no folder list in the window");
    }
    DWORD process_id = 0;
    GetWindowThreadProcessId(list, &process_id);
    HandleOwner process{OpenProcess(
        PROCESS_VM_OPERATION | PROCESS_VM_READ | PROCESS_VM_WRITE | PROCESS_QUERY_INFORMATION,
        FALSE, process_id)};
    if (process.handle == nullptr) {
        return Fail("cannot open the program's process", HRESULT_FROM_WIN32(GetLastError()));
    }
    BOOL wow64 = FALSE;
    IsWow64Process(process.handle, &wow64);
    constexpr int kTextChars = 32768;
    const size_t item_bytes = wow64 ? sizeof(RemoteItem32) : sizeof(LVITEMW);
    RemoteMemory remote(process.handle, item_bytes + kTextChars * sizeof(wchar_t));
    if (remote.get() == nullptr) {
        return Fail("cannot allocate in the program's process", HRESULT_FROM_WIN32(GetLastError()));
    }
    auto* remote_text = static_cast<unsigned char*>(remote.get()) + item_bytes;
    const LRESULT rows = SendMessageW(list, LVM_GETITEMCOUNT, 0, 0);
    for (LRESULT row = 0; row < rows; ++row) {
        bool written = false;
        if (wow64) {
            RemoteItem32 item = {};
            item.pszText = static_cast<uint32_t>(reinterpret_cast<uintptr_t>(remote_text));
            item.cchTextMax = kTextChars;
            written =
                WriteProcessMemory(process.handle, remote.get(), &item, sizeof(item), nullptr);
        } else {
            LVITEMW item = {};
            item.pszText = reinterpret_cast<wchar_t*>(remote_text);
            item.cchTextMax = kTextChars;
            written =
                WriteProcessMemory(process.handle, remote.get(), &item, sizeof(item), nullptr);
        }
        if (!written) {
            return Fail("cannot write to the program's process");
        }
        const LRESULT length = SendMessageW(list, LVM_GETITEMTEXTW, static_cast<WPARAM>(row),
                                            reinterpret_cast<LPARAM>(remote.get()));
        std::wstring text(static_cast<size_t>(length > 0 ? length : 0), L'\0');
        if (length > 0 && !ReadProcessMemory(process.handle, remote_text, text.data(),
                                             text.size() * sizeof(wchar_t), nullptr)) {
            return Fail("cannot read from the program's process");
        }
        // Paths go out as UTF-8, so that the shell script can compare them.
        const int bytes =
            WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, nullptr, 0, nullptr, nullptr);
        std::string utf8(static_cast<size_t>(bytes > 0 ? bytes : 1), '\0');
        WideCharToMultiByte(CP_UTF8, 0, text.c_str(), -1, utf8.data(), bytes, nullptr, nullptr);
        std::printf("%s\n", utf8.c_str());
    }
    std::fflush(stdout);
    return 0;
}

int Usage() {
    std::fprintf(stderr,
                 "usage: explorer_driver invoke <menu entry> <folder>...\n"
                 "       explorer_driver folders <window title> <seconds>\n"
                 "       explorer_driver close <window title> <seconds>\n");
    return 2;
}

int Run(int argc, wchar_t** argv) {
    if (argc < 3) {
        return Usage();
    }
    const std::wstring mode = argv[1];
    if (mode == L"invoke") {
        std::vector<std::wstring> folders(argv + 3, argv + argc);
        if (folders.empty()) {
            return Usage();
        }
        if (FAILED(CoInitialize(nullptr))) {
            return Fail("CoInitialize failed");
        }
        const int result = Invoke(argv[2], folders);
        CoUninitialize();
        return result;
    }
    if ((mode == L"folders" || mode == L"close") && argc == 4) {
        HWND dialog = WaitForDialog(argv[2], _wtoi(argv[3]));
        if (dialog == nullptr) {
            return Fail("window not found in time");
        }
        if (mode == L"folders") {
            return PrintFolders(dialog);
        }
        return PostMessageW(dialog, WM_CLOSE, 0, 0) ? 0 : Fail("PostMessage failed");
    }
    return Usage();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
    try {
        return Run(argc, argv);
    } catch (...) {
        return Fail("unexpected exception");
    }
}
