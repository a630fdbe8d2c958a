#include "engine/items.h"

namespace vantrel {

int StatusStateIndex(ItemStatus status) {
    switch (status) {
        case ItemStatus::InProgress:
            return 5;
        case ItemStatus::Done:
            return 2;
        case ItemStatus::NotExists:
            return 3;
        case ItemStatus::Failed:
        case ItemStatus::ReadOnly:
            return 4;
        case ItemStatus::None:
        case ItemStatus::Declined:
            break;
    }
    return 0;
}

std::wstring FolderStatusText(ItemStatus status, int32_t found_count) {
    switch (status) {
        case ItemStatus::InProgress:
            return L"Scanning";
        case ItemStatus::Done:
            return std::to_wstring(found_count);
        case ItemStatus::NotExists:
            return L"Not exists";
        case ItemStatus::Failed:
            return L"Failed";
        default:
            return std::wstring();
    }
}

std::wstring FileStatusText(ItemStatus status) {
    switch (status) {
        case ItemStatus::InProgress:
            return L"Deleting";
        case ItemStatus::Done:
            return L"Deleted";
        case ItemStatus::NotExists:
            return L"Not exists";
        case ItemStatus::Failed:
            return L"Failed";
        case ItemStatus::ReadOnly:
            return L"Read-only";
        default:
            return std::wstring();
    }
}

std::wstring JoinPath(const std::wstring& folder, const std::wstring& name) {
    std::wstring path;
    path.reserve(folder.size() + 1 + name.size());
    path = folder;
    if (path.empty() || (path.back() != L'\\' && path.back() != L'/')) {
        path.push_back(L'\\');
    }
    path += name;
    return path;
}

bool IsDotEntry(const std::wstring& name, uint32_t attributes) {
    return (attributes & kAttributeDirectory) != 0 && (name == L"." || name == L"..");
}

}  // namespace vantrel
