#include "shellext/context_menu.h"

#include "resources/shell/shell_resource.h"
#include "shellext/main_program.h"
#include "shellext/preset_menu.h"
#include "shellext/shell_ids.h"
#include "shellext/shell_module.h"
#include "win32/dpi.h"
#include "win32/scaled_bitmap.h"

#include <shellapi.h>

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstring>
#include <new>
#include <string>
#include <vector>

namespace vantrel::shell {

namespace {

// Whether menu bitmaps are shown (-1 not yet known, 0 no, 1 yes): Windows 6.0 and later.
std::atomic<int> g_bitmapSupport{-1};

bool MenuBitmapsSupported() {
    int support = g_bitmapSupport.load(std::memory_order_relaxed);
    if (support < 0) {
        OSVERSIONINFOW version = {};
        version.dwOSVersionInfoSize = sizeof(version);
#ifdef _MSC_VER
#pragma warning(suppress : 4996)
#endif
        const BOOL known = GetVersionExW(&version);
        support =
            known && version.dwPlatformId == VER_PLATFORM_WIN32_NT && version.dwMajorVersion >= 6
                ? 1
                : 0;
        g_bitmapSupport.store(support, std::memory_order_relaxed);
    }
    return support == 1;
}

// The DPI of the window the menu is shown for: the active window of this thread (Explorer
// builds its menus on the thread of the window clicked), else the foreground window.
int MenuOwnerDpi() {
    HWND owner = GetActiveWindow();
    return WindowDpi(owner != nullptr ? owner : GetForegroundWindow());
}

// Releases a storage medium received from IDataObject::GetData.
class StorageMedium {
  public:
    StorageMedium() = default;
    ~StorageMedium() {
        if (medium_.tymed != TYMED_NULL) {
            ReleaseStgMedium(&medium_);
        }
    }
    StorageMedium(const StorageMedium&) = delete;
    StorageMedium& operator=(const StorageMedium&) = delete;
    STGMEDIUM* put() { return &medium_; }
    const STGMEDIUM& get() const { return medium_; }

  private:
    STGMEDIUM medium_ = {};
};

// Copies text into a caller's buffer of capacity characters, always terminated.
template <typename Char>
void CopyTerminated(const Char* text, size_t length, Char* buffer, size_t capacity) {
    const size_t copied = std::min(length, capacity - 1);
    std::memcpy(buffer, text, copied * sizeof(Char));
    buffer[copied] = 0;
}

HRESULT CopyHelpTextAnsi(const wchar_t* text, CHAR* buffer, UINT capacity) {
    const int bytes = WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, nullptr, 0, nullptr, nullptr);
    if (bytes <= 0) {
        return E_FAIL;
    }
    std::vector<CHAR> converted(static_cast<size_t>(bytes));
    if (WideCharToMultiByte(CP_THREAD_ACP, 0, text, -1, converted.data(), bytes, nullptr,
                            nullptr) != bytes) {
        return E_FAIL;
    }
    CopyTerminated(converted.data(), converted.size() - 1, buffer, capacity);
    return S_OK;
}

}  // namespace

// ---- Lifetime and aggregation

CMyContextMenu::CMyContextMenu(IUnknown* outer)
    : inner_(*this), controlling_(outer != nullptr ? outer : &inner_) {
    ShellModule().Lock();
    if (MenuBitmapsSupported()) {
        menu_bitmap_.reset(
            LoadBitmapW(ShellModule().Instance(), MAKEINTRESOURCEW(IDB_MENU_BITMAP)));
    }
}

void CMyContextMenu::FitMenuBitmapToDpi(int dpi) {
    // The picture is drawn for 96 DPI; sized like everything else, rounded as MulDiv does.
    constexpr int kMenuBitmapSize = 16;
    const int size = MulDiv(kMenuBitmapSize, dpi, USER_DEFAULT_SCREEN_DPI);
    if (size == menu_bitmap_size_ || size <= 0) {
        return;
    }
    if (HBITMAP scaled = LoadBitmapScaled(ShellModule().Instance(), IDB_MENU_BITMAP, 1, size, size);
        scaled != nullptr) {
        menu_bitmap_.reset(scaled);
        menu_bitmap_size_ = size;
    }
}

CMyContextMenu::~CMyContextMenu() {
    menu_bitmap_.reset();
    ShellModule().Unlock();
}

HRESULT CMyContextMenu::Create(IUnknown* outer, REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (outer != nullptr && !IsEqualIID(riid, IID_IUnknown)) {
        return CLASS_E_NOAGGREGATION;
    }
    auto* object = new (std::nothrow) CMyContextMenu(outer);
    if (object == nullptr) {
        return E_OUTOFMEMORY;
    }
    // The inner reference keeps the object alive across the query; a failed query
    // destroys it again.
    object->inner_.AddRef();
    const HRESULT hr = object->inner_.QueryInterface(riid, ppv);
    object->inner_.Release();
    return hr;
}

STDMETHODIMP CMyContextMenu::CInnerUnknown::QueryInterface(REFIID riid, void** ppv) {
    if (ppv == nullptr) {
        return E_POINTER;
    }
    *ppv = nullptr;
    if (IsEqualIID(riid, kIidMyContextMenu) || IsEqualIID(riid, IID_IDispatch)) {
        *ppv = static_cast<IMyContextMenu*>(&owner_);
    } else if (IsEqualIID(riid, IID_IShellExtInit)) {
        *ppv = static_cast<IShellExtInit*>(&owner_);
    } else if (IsEqualIID(riid, IID_IContextMenu)) {
        *ppv = static_cast<IContextMenu*>(&owner_);
    } else if (IsEqualIID(riid, IID_IUnknown)) {
        *ppv = static_cast<IUnknown*>(this);
    } else {
        return E_NOINTERFACE;
    }
    static_cast<IUnknown*>(*ppv)->AddRef();
    return S_OK;
}

STDMETHODIMP_(ULONG) CMyContextMenu::CInnerUnknown::AddRef() {
    return static_cast<ULONG>(++owner_.references_);
}

STDMETHODIMP_(ULONG) CMyContextMenu::CInnerUnknown::Release() {
    const LONG count = --owner_.references_;
    if (count == 0) {
        delete &owner_;
    }
    return static_cast<ULONG>(count);
}

STDMETHODIMP CMyContextMenu::QueryInterface(REFIID riid, void** ppv) {
    return controlling_->QueryInterface(riid, ppv);
}

STDMETHODIMP_(ULONG) CMyContextMenu::AddRef() {
    return controlling_->AddRef();
}

STDMETHODIMP_(ULONG) CMyContextMenu::Release() {
    return controlling_->Release();
}

// ---- IDispatch

STDMETHODIMP CMyContextMenu::GetTypeInfoCount(UINT* count) {
    if (count == nullptr) {
        return E_POINTER;
    }
    *count = 1;
    return S_OK;
}

STDMETHODIMP CMyContextMenu::GetTypeInfo(UINT index, LCID locale, ITypeInfo** type_info) {
    if (type_info == nullptr) {
        return E_POINTER;
    }
    *type_info = nullptr;
    if (index != 0) {
        return DISP_E_BADINDEX;
    }
    try {
        return ShellModule().GetMenuTypeInfo(locale, type_info);
    } catch (...) {
        return E_OUTOFMEMORY;  // loading the type library ran out of memory
    }
}

STDMETHODIMP CMyContextMenu::GetIDsOfNames(REFIID riid, LPOLESTR* names, UINT name_count,
                                           LCID locale, DISPID* ids) {
    if (!IsEqualIID(riid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    ComPtr<ITypeInfo> type_info;
    HRESULT hr = E_OUTOFMEMORY;
    try {
        hr = ShellModule().GetMenuTypeInfo(locale, type_info.put());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    if (SUCCEEDED(hr)) {
        hr = type_info->GetIDsOfNames(names, name_count, ids);
    }
    return hr;
}

STDMETHODIMP CMyContextMenu::Invoke(DISPID id, REFIID riid, LCID locale, WORD flags,
                                    DISPPARAMS* parameters, VARIANT* result, EXCEPINFO* exception,
                                    UINT* argument_error) {
    if (!IsEqualIID(riid, IID_NULL)) {
        return DISP_E_UNKNOWNINTERFACE;
    }
    ComPtr<ITypeInfo> type_info;
    HRESULT hr = E_OUTOFMEMORY;
    try {
        hr = ShellModule().GetMenuTypeInfo(locale, type_info.put());
    } catch (...) {
        return E_OUTOFMEMORY;
    }
    if (SUCCEEDED(hr)) {
        hr = type_info->Invoke(static_cast<IMyContextMenu*>(this), id, flags, parameters, result,
                               exception, argument_error);
    }
    return hr;
}

// ---- IShellExtInit

HRESULT CMyContextMenu::InitializeFromDropList(IDataObject* data) {
    FORMATETC format = {CF_HDROP, nullptr, DVASPECT_CONTENT, -1, TYMED_HGLOBAL};
    StorageMedium medium;
    if (FAILED(data->GetData(&format, medium.put())) || medium.get().tymed != TYMED_HGLOBAL ||
        medium.get().hGlobal == nullptr) {
        return E_INVALIDARG;
    }
    auto drop = static_cast<HDROP>(medium.get().hGlobal);
    const UINT count = DragQueryFileW(drop, 0xFFFFFFFF, nullptr, 0);
    folders_.clear();
    folders_.reserve(count);
    std::wstring path;
    for (UINT i = 0; i < count; ++i) {
        // Each path is read with its real length; one that cannot be read is left out
        // rather than added as an empty folder.
        const UINT length = DragQueryFileW(drop, i, nullptr, 0);
        if (length == 0) {
            continue;
        }
        path.assign(static_cast<size_t>(length) + 1, L'\0');
        const UINT copied = DragQueryFileW(drop, i, path.data(), length + 1);
        if (copied == 0 || copied > length) {
            continue;
        }
        path.resize(copied);
        folders_.push_back(path);
    }
    return S_OK;
}

STDMETHODIMP CMyContextMenu::Initialize(PCIDLIST_ABSOLUTE folder, IDataObject* data, HKEY) {
    try {
        if (data != nullptr) {
            return InitializeFromDropList(data);
        }
        if (folder != nullptr) {
            std::wstring path(32768, L'\0');
            if (SHGetPathFromIDListEx(folder, path.data(), static_cast<DWORD>(path.size()),
                                      GPFIDL_DEFAULT)) {
                path.resize(std::wcslen(path.c_str()));
                if (!path.empty()) {
                    folders_.push_back(path);
                    return S_OK;
                }
            }
        }
        return E_INVALIDARG;
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

// ---- IContextMenu

HRESULT CMyContextMenu::BuildSubmenu(HMENU menu, UINT index, UINT first_id, UINT last_id) {
    command_count_ = 0;
    // Explorer gives the ids first_id..last_id to this handler; the presets take what is
    // left after "Clean Later...".
    if (last_id < first_id) {
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    }
    const uint64_t id_room = static_cast<uint64_t>(last_id) - first_id + 1;
    const UINT preset_room = static_cast<UINT>(std::min<uint64_t>(id_room - 1, 0xFFFF));

    HMENU submenu = CreatePopupMenu();
    if (submenu == nullptr) {
        return E_OUTOFMEMORY;
    }
    UINT presets = AddPresetItems(submenu, first_id, preset_room);
    if (presets == 0) {
        presets = AddDefaultPresetItems(submenu, first_id, preset_room);
    }
    InsertMenuW(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_SEPARATOR,
                static_cast<UINT_PTR>(-1), nullptr);
    InsertMenuW(submenu, static_cast<UINT>(-1), MF_BYPOSITION | MF_STRING, first_id + presets,
                kCleanLaterCaption);
    if (!InsertMenuW(menu, index, MF_BYPOSITION | MF_POPUP, reinterpret_cast<UINT_PTR>(submenu),
                     kSubmenuCaption)) {
        const DWORD error = GetLastError();
        DestroyMenu(submenu);
        return error != ERROR_SUCCESS ? HRESULT_FROM_WIN32(error) : E_FAIL;
    }
    if (menu_bitmap_.get() != nullptr) {
        FitMenuBitmapToDpi(MenuOwnerDpi());
        SetMenuItemBitmaps(menu, index, MF_BYPOSITION, menu_bitmap_.get(), menu_bitmap_.get());
    }
    command_count_ = presets + 1;
    return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, command_count_);
}

STDMETHODIMP CMyContextMenu::QueryContextMenu(HMENU menu, UINT index, UINT first_id, UINT last_id,
                                              UINT flags) {
    if ((flags & CMF_DEFAULTONLY) != 0) {
        return MAKE_HRESULT(SEVERITY_SUCCESS, FACILITY_NULL, 0);
    }
    try {
        return BuildSubmenu(menu, index, first_id, last_id);
    } catch (...) {
        command_count_ = 0;
        return E_OUTOFMEMORY;
    }
}

STDMETHODIMP CMyContextMenu::InvokeCommand(CMINVOKECOMMANDINFO* info) {
    if (info == nullptr || !IS_INTRESOURCE(info->lpVerb)) {
        return E_INVALIDARG;
    }
    const UINT offset = LOWORD(reinterpret_cast<UINT_PTR>(info->lpVerb));
    if (offset >= command_count_) {
        return E_INVALIDARG;
    }
    const unsigned preset_number = offset == command_count_ - 1 ? 0 : offset + 1;
    try {
        LaunchMainProgram(preset_number, folders_);
    } catch (...) {
        // Out of memory: nothing was started.
    }
    folders_.clear();
    return S_OK;
}

STDMETHODIMP CMyContextMenu::GetCommandString(UINT_PTR id, UINT type, UINT*, CHAR* name,
                                              UINT max_characters) {
    if (id >= command_count_) {
        return E_INVALIDARG;
    }
    const wchar_t* text = id == command_count_ - 1 ? kCleanLaterHelpText : kPresetHelpText;
    try {
        switch (type) {
            case GCS_HELPTEXTW:
                // No room for even the terminator: nothing is written.
                if (name == nullptr || max_characters == 0) {
                    return E_INVALIDARG;
                }
                CopyTerminated(text, std::wcslen(text), reinterpret_cast<wchar_t*>(name),
                               max_characters);
                return S_OK;
            case GCS_HELPTEXTA:
                if (name == nullptr || max_characters == 0) {
                    return E_INVALIDARG;
                }
                return CopyHelpTextAnsi(text, name, max_characters);
            case GCS_VALIDATEA:
            case GCS_VALIDATEW:
                return S_OK;
            default:
                return E_INVALIDARG;
        }
    } catch (...) {
        return E_OUTOFMEMORY;
    }
}

}  // namespace vantrel::shell
