#pragma once

// One run's worth of doubles and state, wired into a RunContext.

#include "engine/run_options.h"
#include "engine/run_context.h"
#include "tests/host/fakes/fake_file_system.h"
#include "tests/host/fakes/fake_run_view.h"

namespace vantrel::testing {

struct EngineHarness {
    FakeFileSystem fs;
    FakeRunView view;
    RunState state;
    RunOptions options;
    RunContext ctx{view, fs, state, options};

    // Options with every switch off but those a test turns on.
    EngineHarness() {
        options.scan_subfolders = false;
        options.delete_files = false;
        options.delete_folders = false;
        options.delete_empty_files = false;
        options.delete_empty_folders = false;
        options.delete_read_only = false;
        options.recycle = false;
    }
};

}  // namespace vantrel::testing
