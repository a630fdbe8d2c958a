#pragma once

// One run's worth of doubles and state, wired into a RunContext.

#include "config/cleaning_options.h"
#include "engine/run_context.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_run_view.h"

namespace vantrel::testing {

struct EngineHarness {
    FakeFileSystem fs;
    FakeRunView view;
    RunState state;
    CleaningOptions options;
    RunContext ctx{view, fs, state, options};

    // Options with every switch off but those a test turns on.
    EngineHarness() {
        options.ScanSubfolders = 0;
        options.DeleteFiles = 0;
        options.DeleteFolders = 0;
        options.DeleteEmptyFiles = 0;
        options.DeleteEmptyFolders = 0;
        options.DeleteReadOnlys = 0;
        options.RecycleFiles = 0;
    }
};

}  // namespace vantrel::testing
