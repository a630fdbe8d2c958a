#include "engine/run_view.h"

namespace vantrel {

void SetFolderStatus(RunView& view, RowId row, ItemStatus status, int32_t found_count,
                     const std::wstring& reason) {
    view.SetFolderStatus(row, status, StatusStateIndex(status),
                         FolderStatusText(status, found_count), reason);
}

void SetFileStatus(RunView& view, RowId row, ItemStatus status, const std::wstring& reason) {
    view.SetFileStatus(row, status, StatusStateIndex(status), FileStatusText(status), reason);
}

}  // namespace vantrel
