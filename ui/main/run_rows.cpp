#include "ui/main/run_rows.h"

namespace vantrel {

RunRows GatherRunRows(const CFolderList& folders, const CFileList& files) {
    RunRows rows;
    const int folder_count = folders.RowCount();
    rows.folders.reserve(static_cast<size_t>(folder_count > 0 ? folder_count : 0));
    for (int row = 0; row < folder_count; ++row) {
        if (const FolderItem* record = folders.Record(row)) {
            rows.folders.push_back(*record);
        }
    }
    rows.files = files.ShownRows();
    return rows;
}

}  // namespace vantrel
