#include "ui/controls/icon_cache.h"

#include <shellapi.h>

#include "ui/model/compare_rules.h"

namespace vantrel {

int IconByAttributes(const std::wstring& name, DWORD attributes) {
    SHFILEINFOW info{};
    const DWORD_PTR result =
        SHGetFileInfoW(name.c_str(), attributes, &info, sizeof(info),
                       SHGFI_SMALLICON | SHGFI_SYSICONINDEX | SHGFI_USEFILEATTRIBUTES);
    return result == 0 ? -1 : info.iIcon;
}

int CIconCache::IconOf(const std::wstring& path, uint32_t attributes) {
    if ((attributes & FILE_ATTRIBUTE_DIRECTORY) != 0) {
        if (folder_icon_ == -2) {
            folder_icon_ = IconByAttributes(L"folder", FILE_ATTRIBUTE_DIRECTORY);
        }
        return folder_icon_;
    }
    const std::wstring extension = PathExtensionKey(path);
    const auto found = by_extension_.find(extension);
    if (found != by_extension_.end()) {
        return found->second;
    }
    const int icon = IconByAttributes(L"file." + extension, FILE_ATTRIBUTE_NORMAL);
    by_extension_.emplace(extension, icon);
    return icon;
}

}  // namespace vantrel
