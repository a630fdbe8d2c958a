#include "ui/model/status_display.h"

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

}  // namespace vantrel
