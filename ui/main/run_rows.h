#pragma once

#include "engine/run_report.h"
#include "ui/main/file_list.h"
#include "ui/main/folder_list.h"

namespace vantrel {

// Copies of the records behind the folder list's and the file list's rows, in list order:
// what the end of a run decides its report and exit code from. Call on the window's thread.
RunRows GatherRunRows(const CFolderList& folders, const CFileList& files);

}  // namespace vantrel
