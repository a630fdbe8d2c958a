#pragma once

#include <windows.h>

#include "config/command_line.h"
#include "ui/folder_list.h"

namespace vantrel {

// The command-line start-up once the window's controls exist and its preset selection ran:
// with at least one folder, box 1003 is ticked and disabled, the existing folders are added
// in order, the window comes to the top and the requested command is posted (Scan 1032,
// Scan && Clean 1007; the window's enabling rules then decide). Returns the plan carried out.
RequestStartPlan StartFromCommandLine(HWND main, CFolderList& folders,
                                      const CommandLineRequest& request);

}  // namespace vantrel
