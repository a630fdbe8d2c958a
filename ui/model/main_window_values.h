#pragma once

#include <cstdint>

#include "config/app_settings.h"
#include "config/cleaning_options.h"
#include "config/command_line.h"

namespace vantrel {

// The main window's working values, as it takes them from AppSettings when created and
// hands them back when destroyed.
struct MainWindowValues {
    int32_t AutoClose = 0;
    int32_t AlwaysOnTop = 0;
    CleaningOptions Options;
    int32_t Preset = 0;
    int32_t AutoRemoveDeleted = 0;
    int32_t ShowFileSizes = 1;
};

// Copy-in at construction, before any command-line request is applied.
MainWindowValues TakeWindowValues(const AppSettings& settings);
// Copy-back at destruction. AutoClose is copied only when the window was created without
// a command-line request, so a command-line start never changes the saved AutoClose.
void ReturnWindowValues(const MainWindowValues& values, bool created_with_request,
                        AppSettings& settings);

// Step at construction, right after TakeWindowValues: a request naming a preset (index 0 or
// more and not custom_index) sets the window's preset index and keeps the saved filter and
// switches; otherwise the request's filter and switches replace the window's and the
// saved preset index stays.
void ApplyRequestToWindowValues(const CommandLineRequest& request, int32_t custom_index,
                                MainWindowValues& values);

}  // namespace vantrel
