#include "engine/items.h"

namespace vantrel {

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

bool IsDotEntry(const std::wstring& name, uint32_t attributes) {
    return (attributes & kAttributeDirectory) != 0 && (name == L"." || name == L"..");
}

}  // namespace vantrel
