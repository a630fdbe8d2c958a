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

void ReturnWindowValues(const MainWindowValues& values, bool createdWithRequest,
                        AppSettings& settings) {
    settings.AlwaysOnTop = values.AlwaysOnTop;
    settings.Options = values.Options;
    settings.Preset = values.Preset;
    settings.AutoRemoveDeleted = values.AutoRemoveDeleted;
    settings.ShowFileSizes = values.ShowFileSizes;
    if (!createdWithRequest) {
        settings.AutoClose = values.AutoClose;
    }
}

void ApplyRequestToWindowValues(const CommandLineRequest& request, int32_t customIndex,
                                MainWindowValues& values) {
    if (request.PresetIndex >= 0 && request.PresetIndex != customIndex) {
        values.Preset = request.PresetIndex;
    } else {
        values.Options = request.Options;
    }
}

}  // namespace vantrel
