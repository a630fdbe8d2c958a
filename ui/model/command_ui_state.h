#pragma once

namespace vantrel {

// What a window's enabling rule says about one command (portable).
struct CommandUiState {
    bool enabled = true;
    int checked = -1;  // -1 leave the check mark alone, 0 uncheck, 1 check
};

}  // namespace vantrel
