#include "tests/shell/shell_test_support.h"

#include "config/default_presets_table.h"
#include "shellext/shell_ids.h"

#include <shellapi.h>

#include <gtest/gtest.h>

#include <cstring>

namespace vantrel::shell::test {

namespace {

constexpr const wchar_t* kBackupKey = L"Software\\VantrelShellTests\\ApplicationKeyBackup";

// COM for the whole test program: single-threaded apartment, as in Explorer.
class ComEnvironment : public testing::Environment {
  public:
    void SetUp() override {
        ASSERT_TRUE(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED)));
    }
    void TearDown() override { CoUninitialize(); }
};

[[maybe_unused]] testing::Environment* const g_com =
    testing::AddGlobalTestEnvironment(new ComEnvironment);

template <typename Function>
Function Export(HMODULE module, const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(module, name)));
}

class DropDataObject final : public IDataObject {
  public:
    DropDataObject(std::vector<std::wstring> paths, bool offer)
        : paths_(std::move(paths)), offer_(offer) {}

    STDMETHODIMP QueryInterface(REFIID riid, void** ppv) override {
        if (IsEqualIID(riid, IID_IUnknown) || IsEqualIID(riid, IID_IDataObject)) {
            *ppv = static_cast<IDataObject*>(this);
            AddRef();
            return S_OK;
        }
        *ppv = nullptr;
        return E_NOINTERFACE;
    }
    STDMETHODIMP_(ULONG) AddRef() override { return ++references_; }
    STDMETHODIMP_(ULONG) Release() override {
        const ULONG count = --references_;
        if (count == 0) {
            delete this;
        }
        return count;
    }

    STDMETHODIMP GetData(FORMATETC* format, STGMEDIUM* medium) override {
        if (QueryGetData(format) != S_OK) {
            return DV_E_FORMATETC;
        }
        medium->tymed = TYMED_HGLOBAL;
        medium->hGlobal = MakeDropList(paths_);
        medium->pUnkForRelease = nullptr;
        return medium->hGlobal != nullptr ? S_OK : E_OUTOFMEMORY;
    }
    STDMETHODIMP GetDataHere(FORMATETC*, STGMEDIUM*) override { return E_NOTIMPL; }
    STDMETHODIMP QueryGetData(FORMATETC* format) override {
        if (!offer_ || format == nullptr || format->cfFormat != CF_HDROP ||
            (format->tymed & TYMED_HGLOBAL) == 0) {
            return DV_E_FORMATETC;
        }
        return S_OK;
    }
    STDMETHODIMP GetCanonicalFormatEtc(FORMATETC*, FORMATETC*) override { return E_NOTIMPL; }
    STDMETHODIMP SetData(FORMATETC*, STGMEDIUM*, BOOL) override { return E_NOTIMPL; }
    STDMETHODIMP EnumFormatEtc(DWORD, IEnumFORMATETC**) override { return E_NOTIMPL; }
    STDMETHODIMP DAdvise(FORMATETC*, DWORD, IAdviseSink*, DWORD*) override {
        return OLE_E_ADVISENOTSUPPORTED;
    }
    STDMETHODIMP DUnadvise(DWORD) override { return OLE_E_ADVISENOTSUPPORTED; }
    STDMETHODIMP EnumDAdvise(IEnumSTATDATA**) override { return OLE_E_ADVISENOTSUPPORTED; }

  private:
    ~DropDataObject() = default;
    ULONG references_ = 1;
    std::vector<std::wstring> paths_;
    bool offer_;
};

}  // namespace

std::wstring TestProgramFolder() {
    std::wstring path(32768, L'\0');
    const DWORD length = GetModuleFileNameW(nullptr, path.data(), 32768);
    path.resize(length);
    return path.substr(0, path.find_last_of(L'\\'));
}

TempFolder::TempFolder() {
    std::wstring base(MAX_PATH + 1, L'\0');
    base.resize(GetTempPathW(MAX_PATH + 1, base.data()));
    static int serial = 0;
    for (;;) {
        path_ = base + L"vantrel-shell-" + std::to_wstring(GetCurrentProcessId()) + L"-" +
                std::to_wstring(++serial);
        if (CreateDirectoryW(path_.c_str(), nullptr)) {
            break;
        }
    }
}

TempFolder::~TempFolder() {
    RemoveTree(path_);
}

std::wstring TempFolder::MakeFolder(const std::wstring& name) const {
    const std::wstring folder = path_ + L"\\" + name;
    CreateDirectoryW(folder.c_str(), nullptr);
    return folder;
}

void RemoveTree(const std::wstring& path) {
    WIN32_FIND_DATAW data;
    HANDLE find = FindFirstFileW((path + L"\\*").c_str(), &data);
    if (find != INVALID_HANDLE_VALUE) {
        do {
            const std::wstring name = data.cFileName;
            if (name == L"." || name == L"..") {
                continue;
            }
            const std::wstring child = path + L"\\" + name;
            SetFileAttributesW(child.c_str(), FILE_ATTRIBUTE_NORMAL);
            if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0 &&
                (data.dwFileAttributes & FILE_ATTRIBUTE_REPARSE_POINT) == 0) {
                RemoveTree(child);
            } else if ((data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
                RemoveDirectoryW(child.c_str());
            } else {
                DeleteFileW(child.c_str());
            }
        } while (FindNextFileW(find, &data));
        FindClose(find);
    }
    RemoveDirectoryW(path.c_str());
}

ShellLibrary::ShellLibrary(const std::wstring& path) : module_(LoadLibraryW(path.c_str())) {}

ShellLibrary::~ShellLibrary() {
    if (module_ != nullptr) {
        FreeLibrary(module_);
    }
}

HRESULT ShellLibrary::GetClassObject(REFCLSID clsid, REFIID riid, void** ppv) const {
    auto function =
        Export<HRESULT(STDAPICALLTYPE*)(REFCLSID, REFIID, void**)>(module_, "DllGetClassObject");
    return function(clsid, riid, ppv);
}

HRESULT ShellLibrary::CanUnloadNow() const {
    return Export<HRESULT(STDAPICALLTYPE*)()>(module_, "DllCanUnloadNow")();
}

HRESULT ShellLibrary::RegisterServer() const {
    return Export<HRESULT(STDAPICALLTYPE*)()>(module_, "DllRegisterServer")();
}

HRESULT ShellLibrary::UnregisterServer() const {
    return Export<HRESULT(STDAPICALLTYPE*)()>(module_, "DllUnregisterServer")();
}

HRESULT ShellLibrary::Install(BOOL install, const wchar_t* command_line) const {
    return Export<HRESULT(STDAPICALLTYPE*)(BOOL, PCWSTR)>(module_, "DllInstall")(install,
                                                                                 command_line);
}

HRESULT ShellLibrary::CreateMenu(REFIID riid, void** ppv) const {
    IClassFactory* factory = nullptr;
    HRESULT hr =
        GetClassObject(kClsidMyContextMenu, IID_IClassFactory, reinterpret_cast<void**>(&factory));
    if (FAILED(hr)) {
        return hr;
    }
    hr = factory->CreateInstance(nullptr, riid, ppv);
    factory->Release();
    return hr;
}

ApplicationKeyGuard::ApplicationKeyGuard() {
    DeleteKeyTree(HKEY_CURRENT_USER, kBackupKey);
    HKEY source = nullptr;
    if (RegOpenKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, KEY_READ, &source) == ERROR_SUCCESS) {
        HKEY backup = nullptr;
        if (RegCreateKeyExW(HKEY_CURRENT_USER, kBackupKey, 0, nullptr, 0, KEY_ALL_ACCESS, nullptr,
                            &backup, nullptr) == ERROR_SUCCESS) {
            saved_ = RegCopyTreeW(source, nullptr, backup) == ERROR_SUCCESS;
            RegCloseKey(backup);
        }
        RegCloseKey(source);
    }
    DeleteKeyTree(HKEY_CURRENT_USER, kApplicationKey);
}

ApplicationKeyGuard::~ApplicationKeyGuard() {
    DeleteKeyTree(HKEY_CURRENT_USER, kApplicationKey);
    if (saved_) {
        HKEY backup = nullptr;
        HKEY target = nullptr;
        if (RegOpenKeyExW(HKEY_CURRENT_USER, kBackupKey, 0, KEY_READ, &backup) == ERROR_SUCCESS) {
            if (RegCreateKeyExW(HKEY_CURRENT_USER, kApplicationKey, 0, nullptr, 0, KEY_ALL_ACCESS,
                                nullptr, &target, nullptr) == ERROR_SUCCESS) {
                RegCopyTreeW(backup, nullptr, target);
                RegCloseKey(target);
            }
            RegCloseKey(backup);
        }
    }
    DeleteKeyTree(HKEY_CURRENT_USER, L"Software\\VantrelShellTests");
}

void SetBinaryValue(const std::wstring& key, const wchar_t* name, DWORD type, const void* data,
                    DWORD bytes) {
    HKEY handle = nullptr;
    ASSERT_EQ(RegCreateKeyExW(HKEY_CURRENT_USER, key.c_str(), 0, nullptr, 0, KEY_SET_VALUE, nullptr,
                              &handle, nullptr),
              ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueExW(handle, name, 0, type, static_cast<const BYTE*>(data), bytes),
              ERROR_SUCCESS);
    RegCloseKey(handle);
}

void SetDword(const std::wstring& key, const wchar_t* name, DWORD value) {
    SetBinaryValue(key, name, REG_DWORD, &value, sizeof(value));
}

void SetString(const std::wstring& key, const wchar_t* name, const std::wstring& value,
               DWORD type) {
    SetBinaryValue(key, name, type, value.c_str(),
                   static_cast<DWORD>((value.size() + 1) * sizeof(wchar_t)));
}

void DeleteKeyTree(HKEY root, const std::wstring& key) {
    RegDeleteTreeW(root, key.c_str());
}

bool KeyExists(HKEY root, const std::wstring& key) {
    HKEY handle = nullptr;
    if (RegOpenKeyExW(root, key.c_str(), 0, KEY_QUERY_VALUE, &handle) != ERROR_SUCCESS) {
        return false;
    }
    RegCloseKey(handle);
    return true;
}

std::wstring ReadString(HKEY root, const std::wstring& key, const wchar_t* name) {
    DWORD type = 0;
    DWORD bytes = 0;
    if (RegGetValueW(root, key.c_str(), name, RRF_RT_ANY | RRF_NOEXPAND, &type, nullptr, &bytes) !=
        ERROR_SUCCESS) {
        return L"<missing>";
    }
    if (type != REG_SZ) {
        return L"<type " + std::to_wstring(type) + L">";
    }
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    RegGetValueW(root, key.c_str(), name, RRF_RT_REG_SZ, nullptr, text.data(), &bytes);
    text.resize(std::wcslen(text.c_str()));
    return text;
}

HGLOBAL MakeDropList(const std::vector<std::wstring>& paths) {
    size_t characters = 1;
    for (const std::wstring& path : paths) {
        characters += path.size() + 1;
    }
    const size_t bytes = sizeof(DROPFILES) + characters * sizeof(wchar_t);
    HGLOBAL block = GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, bytes);
    if (block == nullptr) {
        return nullptr;
    }
    auto* header = static_cast<DROPFILES*>(GlobalLock(block));
    header->pFiles = sizeof(DROPFILES);
    header->fWide = TRUE;
    auto* text = reinterpret_cast<wchar_t*>(reinterpret_cast<BYTE*>(header) + sizeof(DROPFILES));
    for (const std::wstring& path : paths) {
        std::memcpy(text, path.c_str(), (path.size() + 1) * sizeof(wchar_t));
        text += path.size() + 1;
    }
    *text = L'\0';
    GlobalUnlock(block);
    return block;
}

IDataObject* NewDropDataObject(const std::vector<std::wstring>& paths, bool offer_drop_list) {
    return new DropDataObject(paths, offer_drop_list);
}

std::vector<MenuItem> ReadMenu(HMENU menu) {
    std::vector<MenuItem> items;
    const int count = GetMenuItemCount(menu);
    for (int i = 0; i < count; ++i) {
        wchar_t text[2048] = {};
        MENUITEMINFOW info = {};
        info.cbSize = sizeof(info);
        info.fMask = MIIM_ID | MIIM_FTYPE | MIIM_STRING;
        info.dwTypeData = text;
        info.cch = 2047;
        GetMenuItemInfoW(menu, static_cast<UINT>(i), TRUE, &info);
        items.push_back({info.wID, text, (info.fType & MFT_SEPARATOR) != 0});
    }
    return items;
}

}  // namespace vantrel::shell::test
