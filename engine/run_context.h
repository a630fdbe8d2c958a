#pragma once

#include "engine/file_system.h"
#include "engine/run_options.h"
#include "engine/run_state.h"
#include "engine/run_view.h"

namespace vantrel {

// Everything a run's phases work with. The options are those read back from the controls
// when the run started; they do not change during the run.
struct RunContext {
    RunView& view;
    FileSystem& fs;
    RunState& state;
    const RunOptions& options;
};

}  // namespace vantrel
