#include "ui/controls/folder_picker.h"

#include <shlobj.h>

#include <vector>

#include "win32/handles.h"

namespace vantrel {

std::wstring PathOfItem(PCIDLIST_ABSOLUTE item) {
    if (item == nullptr) {
        return {};
    }
    PWSTR name = nullptr;
    if (SUCCEEDED(SHGetNameFromIDList(item, SIGDN_FILESYSPATH, &name)) && name != nullptr) {
        std::wstring path = name;
        CoTaskMemFree(name);
        return path;
    }
    return {};
}

int CALLBACK CFolderPicker::Callback(HWND dialog, UINT message, LPARAM lparam, LPARAM data) {
    try {
        const auto* self = reinterpret_cast<const CFolderPicker*>(data);
        if (message == BFFM_INITIALIZED && self != nullptr && !self->initial_folder_.empty()) {
            SendMessageW(dialog, BFFM_SETSELECTIONW, TRUE,
                         reinterpret_cast<LPARAM>(self->initial_folder_.c_str()));
        } else if (message == BFFM_SELCHANGED) {
            const std::wstring path = PathOfItem(reinterpret_cast<PCIDLIST_ABSOLUTE>(lparam));
            if (!path.empty()) {
                SendMessageW(dialog, BFFM_SETSTATUSTEXTW, 0,
                             reinterpret_cast<LPARAM>(path.c_str()));
            }
        }
    } catch (...) {
    }
    return 0;
}

int CFolderPicker::Run() {
    result_.clear();
    ComPtr<IMalloc> allocator;
    if (FAILED(SHGetMalloc(allocator.put())) || !allocator) {
        return 2;
    }
    std::vector<wchar_t> display_name(1024, L'\0');
    BROWSEINFOW info{};
    info.hwndOwner = owner_;
    info.pidlRoot = nullptr;
    info.pszDisplayName = display_name.data();
    info.lpszTitle = title_.c_str();
    info.ulFlags = flags_;
    info.lpfn = &CFolderPicker::Callback;
    info.lParam = reinterpret_cast<LPARAM>(this);
    info.iImage = 0;
    PIDLIST_ABSOLUTE chosen = SHBrowseForFolderW(&info);
    if (chosen != nullptr) {
        // The whole path, however long: a cut path would name another folder.
        result_ = PathOfItem(chosen);
        allocator->Free(chosen);
    }
    return result_.empty() ? 2 : 1;
}

}  // namespace vantrel
