#include "engine/failure_reason.h"

namespace vantrel {

std::wstring FailureReason(FileSystem& fs, uint32_t code) {
    switch (code) {
        case kErrorNone:
            return L"The reason is unknown";
        case kErrorLinkOnPath:
            return L"A folder on its path is now a link";
        case kErrorCannotRecycle:
            return L"It cannot go to the Recycle Bin, and it is never deleted for good instead";
        case kErrorNoLongerEmpty:
            return L"The folder is no longer empty";
        case kErrorHoldsLink:
            return L"A link lies inside the folder, so it is not given to the Recycle Bin";
        case kErrorKindChanged:
            return L"A file has become a folder, or a folder a file, since the scan";
        case kErrorStopped:
            return L"The run was stopped before the folder was deleted";
        case kErrorChosenIsLink:
            return L"The folder is a link, and Vantrel does not follow links";
        case kErrorHoldsKept:
            return L"It now holds an item to keep";
        default:
            break;
    }
    std::wstring text = fs.ErrorText(code);
    return text.empty() ? L"Error " + std::to_wstring(code) : text;
}

}  // namespace vantrel
