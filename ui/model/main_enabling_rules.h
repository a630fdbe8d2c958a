#pragma once

// The main window's enabling rules as a plain function (portable, no <windows.h>). The
// window gathers the state of its lists into MainCommandContext and asks; the same answer
// serves the idle-time update of its buttons, the popup menus and the check of commands
// that arrive from keys, accelerators and posted messages.

#include "engine/items.h"
#include "resources/resource.h"
#include "ui/model/command_ui_state.h"
#include "ui/model/main_layout.h"

namespace vantrel {

struct MainCommandContext {
    bool busy = false;  // a worker is running
    int folder_rows = 0;
    int folder_selected = 0;
    int file_rows = 0;
    int file_selected = 0;
    // The first selected file row (meaningful when file_selected > 0).
    bool first_selected_file_is_folder = false;
    ItemStatus first_selected_file_status = ItemStatus::None;
    bool show_file_sizes = false;
    bool auto_remove_deleted = false;
};

// True when the window has a rule for `id`; `state` then says enabled and, for the two
// toggles, checked. Scan (1032) has no rule: only the busy/idle switch changes it.
inline bool MainCommandRule(int id, const MainCommandContext& c, CommandUiState& state) {
    state = CommandUiState{};
    switch (id) {
        case ID_FOLDER_ADD:
            state.enabled = true;
            return true;
        case ID_FOLDER_REMOVE:
            state.enabled = !c.busy && c.folder_selected > 0;
            return true;
        case ID_FOLDER_REMOVE_ALL:
            state.enabled = !c.busy && c.folder_rows > 0;
            return true;
        case ID_FOLDER_SELECT_ALL:
            state.enabled = c.folder_rows > 0;
            return true;
        case ID_FOLDER_OPEN:
            state.enabled = c.folder_selected > 0;
            return true;
        case ID_FILE_REMOVE:
            state.enabled = !c.busy && c.file_selected > 0;
            return true;
        case ID_FILE_REMOVE_ALL:
            state.enabled = !c.busy && c.file_rows > 0;
            return true;
        case ID_FILE_SELECT_ALL:
            state.enabled = c.file_rows > 0;
            return true;
        case ID_FILE_OPEN_ITEM:
            state.enabled = c.file_selected > 0 && !c.first_selected_file_is_folder &&
                            c.first_selected_file_status != ItemStatus::Done &&
                            c.first_selected_file_status != ItemStatus::NotExists;
            return true;
        case ID_FILE_OPEN_FOLDER:
            state.enabled = c.file_selected > 0;
            return true;
        case IDC_CLEAN:
            state.enabled = c.file_rows > 0 && !c.busy;
            return true;
        case IDC_SCAN_AND_CLEAN:
            state.enabled = c.folder_rows > 0 && !c.busy;
            return true;
        case ID_SHOW_FILE_SIZES:
            state.checked = c.show_file_sizes ? 1 : 0;
            return true;
        case ID_AUTO_REMOVE_DELETED:
            state.checked = c.auto_remove_deleted ? 1 : 0;
            return true;
        case IDC_STOP:
        case kCloseButtonId:
        case ID_PRESETS:
        case ID_SETTINGS:
        case ID_CHECK_FOR_UPDATES:
        case ID_EMAIL_US:
        case ID_WEB_SITE:
        case ID_APP_ABOUT:
            return true;
        default:
            return false;
    }
}

// The push buttons whose enabling the idle step keeps up to date.
inline constexpr int kRuledPushButtons[] = {IDC_CLEAN, IDC_SCAN_AND_CLEAN, IDC_STOP,
                                            kCloseButtonId};
// The folder toolbar's buttons, also updated at idle.
inline constexpr int kFolderToolbarCommands[] = {ID_FOLDER_ADD, ID_FOLDER_REMOVE,
                                                 ID_FOLDER_REMOVE_ALL};

}  // namespace vantrel
