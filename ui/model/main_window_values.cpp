#include "ui/model/main_window_values.h"

namespace vantrel {

MainWindowValues TakeWindowValues(const AppSettings& settings) {
    MainWindowValues values;
    values.AutoClose = settings.AutoClose;
    values.AlwaysOnTop = settings.AlwaysOnTop;
    values.Options = settings.Options;
    values.Preset = settings.Preset;
    values.AutoRemoveDeleted = settings.AutoRemoveDeleted;
    values.ShowFileSizes = settings.ShowFileSizes;
    return values;
}

void ReturnWindowValues(const MainWindowValues& values, bool created_with_request,
                        AppSettings& settings) {
    settings.AlwaysOnTop = values.AlwaysOnTop;
    settings.Options = values.Options;
    settings.Preset = values.Preset;
    settings.AutoRemoveDeleted = values.AutoRemoveDeleted;
    settings.ShowFileSizes = values.ShowFileSizes;
    if (!created_with_request) {
        settings.AutoClose = values.AutoClose;
    }
}

void ApplyRequestToWindowValues(const CommandLineRequest& request, int32_t custom_index,
                                MainWindowValues& values) {
    if (request.preset_index >= 0 && request.preset_index != custom_index) {
        values.Preset = request.preset_index;
    } else {
        values.Options = request.options;
    }
}

}  // namespace vantrel
