#include <gtest/gtest.h>

#include "ui/model/main_enabling_rules.h"
#include "ui/model/main_layout.h"

namespace vantrel {
namespace {

bool Enabled(int id, const MainCommandContext& c) {
    CommandUiState state;
    EXPECT_TRUE(MainCommandRule(id, c, state)) << id;
    return state.enabled;
}

TEST(MainCommandRule, RemovingNeedsIdleAndRowsOthersOnlyRows) {
    MainCommandContext idle_empty;
    MainCommandContext idle_full;
    idle_full.folder_rows = 3;
    idle_full.folder_selected = 1;
    idle_full.file_rows = 4;
    idle_full.file_selected = 2;
    MainCommandContext busy_full = idle_full;
    busy_full.busy = true;

    const struct {
        int id;
        bool empty, full, busy;
    } table[] = {
        {ID_FOLDER_ADD, true, true, true},
        {ID_FOLDER_REMOVE, false, true, false},
        {ID_FOLDER_REMOVE_ALL, false, true, false},
        {ID_FOLDER_SELECT_ALL, false, true, true},
        {ID_FOLDER_OPEN, false, true, true},
        {ID_FILE_REMOVE, false, true, false},
        {ID_FILE_REMOVE_ALL, false, true, false},
        {ID_FILE_SELECT_ALL, false, true, true},
        {ID_FILE_OPEN_FOLDER, false, true, true},
        {ID_FILE_OPEN_ITEM, false, true, true},
        {IDC_CLEAN, false, true, false},
        {IDC_SCAN_AND_CLEAN, false, true, false},
        {IDC_STOP, true, true, true},
        {kCloseButtonId, true, true, true},
        {ID_PRESETS, true, true, true},
        {ID_SETTINGS, true, true, true},
        {ID_CHECK_FOR_UPDATES, true, true, true},
        {ID_EMAIL_US, true, true, true},
        {ID_WEB_SITE, true, true, true},
        {ID_APP_ABOUT, true, true, true},
    };
    for (const auto& row : table) {
        EXPECT_EQ(Enabled(row.id, idle_empty), row.empty) << row.id;
        EXPECT_EQ(Enabled(row.id, idle_full), row.full) << row.id;
        EXPECT_EQ(Enabled(row.id, busy_full), row.busy) << row.id;
    }
}

TEST(MainCommandRule, ScanHasNoRuleAndOpenFileChecksTheFirstSelectedRow) {
    CommandUiState state;
    EXPECT_FALSE(MainCommandRule(IDC_SCAN, {}, state));
    EXPECT_FALSE(MainCommandRule(ID_OPTIONS_DROPDOWN, {}, state));

    MainCommandContext c;
    c.file_rows = 1;
    c.file_selected = 1;
    const struct {
        bool folder;
        ItemStatus status;
        bool enabled;
    } rows[] = {
        {false, ItemStatus::None, true},       {false, ItemStatus::Failed, true},
        {false, ItemStatus::ReadOnly, true},   {false, ItemStatus::Done, false},
        {false, ItemStatus::NotExists, false}, {true, ItemStatus::None, false},
    };
    for (const auto& row : rows) {
        c.first_selected_file_is_folder = row.folder;
        c.first_selected_file_status = row.status;
        EXPECT_EQ(Enabled(ID_FILE_OPEN_ITEM, c), row.enabled) << static_cast<int>(row.status);
    }
}

TEST(MainCommandRule, TogglesAreAlwaysEnabledAndCheckedByTheirValues) {
    MainCommandContext c;
    c.busy = true;
    c.show_file_sizes = true;
    CommandUiState state;
    ASSERT_TRUE(MainCommandRule(ID_SHOW_FILE_SIZES, c, state));
    EXPECT_TRUE(state.enabled);
    EXPECT_EQ(state.checked, 1);
    ASSERT_TRUE(MainCommandRule(ID_AUTO_REMOVE_DELETED, c, state));
    EXPECT_TRUE(state.enabled);
    EXPECT_EQ(state.checked, 0);
}

// The template's rectangles at 96 dpi with Tahoma 8 (one dialog unit = 1.5 x 1.625 px
// roughly); exact values do not matter, only the anchoring relations.
MainLayoutInput TemplateInput(int width, int height) {
    MainLayoutInput in;
    in.client = {0, 0, width, height};
    in.menu_toolbar = {110, 22};
    in.folder_toolbar = {330, 26};
    auto r = [](int x, int y, int w, int h) { return LayoutRect{x, y, x + w, y + h}; };
    in.controls = {
        {IDC_FOLDERS_LABEL, r(10, 41, 324, 20)},
        {IDC_FOLDER_LIST, r(10, 63, 324, 143)},
        {IDC_PRESET_LABEL, r(10, 213, 36, 13)},
        {IDC_PRESET_COMBO, r(10, 229, 324, 24)},
        {IDC_OPTIONS_GROUP, r(10, 262, 324, 325)},
        {IDC_FILTER_LABEL, r(22, 284, 34, 13)},
        {IDC_FILTER_EDIT, r(22, 301, 300, 65)},
        {IDC_KEEP_LABEL, r(22, 379, 60, 13)},
        {IDC_KEEP_EDIT, r(85, 375, 237, 20)},
        {IDC_OLDER_LABEL, r(22, 405, 60, 13)},
        {IDC_OLDER_EDIT, r(85, 401, 45, 20)},
        {IDC_OLDER_UNIT, r(136, 405, 45, 13)},
        {IDC_DELETE_FILES, r(22, 427, 121, 16)},
        {IDC_DELETE_FOLDERS, r(22, 447, 151, 16)},
        {IDC_DELETE_EMPTY_FILES, r(22, 466, 189, 16)},
        {IDC_DELETE_EMPTY_FOLDERS, r(22, 486, 141, 16)},
        {IDC_SCAN_SUBFOLDERS, r(22, 518, 129, 16)},
        {IDC_DELETE_READONLYS, r(22, 538, 229, 16)},
        {IDC_RECYCLE_FILES, r(22, 557, 276, 16)},
        {IDC_FILE_LIST, r(342, 41, 607, 523)},
        {IDC_RUN_SUMMARY, r(342, 570, 607, 16)},
        {IDC_AUTO_CLOSE, r(10, 592, 244, 16)},
        {IDC_ALWAYS_ON_TOP, r(10, 611, 141, 16)},
        {IDC_SCAN, r(586, 601, 90, 23)},
        {IDC_CLEAN, r(682, 601, 90, 23)},
        {IDC_SCAN_AND_CLEAN, r(778, 601, 90, 23)},
        {IDC_STOP, r(874, 601, 75, 23)},
        {kCloseButtonId, r(874, 601, 75, 23)},
    };
    return in;
}

TEST(ComputeMainLayout, AnchorsAtEverySize) {
    for (const auto& [width, height] :
         {std::pair{960, 635}, std::pair{624, 500}, std::pair{1400, 1000}}) {
        const MainLayoutInput in = TemplateInput(width, height);
        const auto out = ComputeMainLayout(in);
        SCOPED_TRACE(width);
        // Toolbars in the 40-pixel band, vertically centred.
        EXPECT_EQ(out.at(IDC_MENU_TOOLBAR).right, width - 10);
        EXPECT_EQ(out.at(IDC_MENU_TOOLBAR).top, (40 - 22) / 2);
        EXPECT_EQ(out.at(IDC_MENU_TOOLBAR).Width(), 110);
        EXPECT_EQ(out.at(IDC_FOLDER_TOOLBAR).left, 11);
        EXPECT_EQ(out.at(IDC_FOLDER_TOOLBAR).top, 7);
        EXPECT_LE(out.at(IDC_FOLDER_TOOLBAR).bottom, 40);
        // Close and Stop share the bottom-right rectangle; the run buttons go leftwards.
        EXPECT_EQ(out.at(kCloseButtonId), out.at(IDC_STOP));
        EXPECT_EQ(out.at(kCloseButtonId).right, width - 10);
        EXPECT_EQ(out.at(kCloseButtonId).bottom, height - 10);
        EXPECT_EQ(out.at(kCloseButtonId).Width(), 75);
        EXPECT_EQ(out.at(IDC_SCAN_AND_CLEAN).right, out.at(kCloseButtonId).left - 6);
        EXPECT_EQ(out.at(IDC_CLEAN).right, out.at(IDC_SCAN_AND_CLEAN).left - 6);
        EXPECT_EQ(out.at(IDC_SCAN).right, out.at(IDC_CLEAN).left - 6);
        EXPECT_EQ(out.at(IDC_SCAN).Width(), 90);
        EXPECT_EQ(out.at(IDC_SCAN).top, out.at(kCloseButtonId).top);
        // Bottom boxes.
        EXPECT_EQ(out.at(IDC_ALWAYS_ON_TOP).bottom, height - 8);
        EXPECT_EQ(out.at(IDC_AUTO_CLOSE).bottom, out.at(IDC_ALWAYS_ON_TOP).top - 4);
        // The group and its content keep x, width and height and hang from the bottom.
        EXPECT_EQ(out.at(IDC_OPTIONS_GROUP).bottom, height - 52);
        EXPECT_EQ(out.at(IDC_RECYCLE_FILES).bottom, out.at(IDC_OPTIONS_GROUP).bottom - 12);
        EXPECT_EQ(out.at(IDC_DELETE_EMPTY_FOLDERS).bottom, out.at(IDC_SCAN_SUBFOLDERS).top - 16);
        // The keep and age rows sit between the filter and the first box, labels beside.
        EXPECT_EQ(out.at(IDC_OLDER_EDIT).bottom, out.at(IDC_DELETE_FILES).top - 8);
        EXPECT_EQ(out.at(IDC_KEEP_EDIT).bottom, out.at(IDC_OLDER_EDIT).top - 6);
        EXPECT_EQ(out.at(IDC_FILTER_EDIT).bottom, out.at(IDC_KEEP_EDIT).top - 8);
        for (const auto& [label, row] :
             {std::pair{IDC_KEEP_LABEL, IDC_KEEP_EDIT}, std::pair{IDC_OLDER_LABEL, IDC_OLDER_EDIT},
              std::pair{IDC_OLDER_UNIT, IDC_OLDER_EDIT}}) {
            EXPECT_EQ(out.at(label).top - out.at(row).top,
                      in.controls.at(label).top - in.controls.at(row).top)
                << label;
            EXPECT_EQ(out.at(label).left, in.controls.at(label).left) << label;
            EXPECT_EQ(out.at(label).Height(), in.controls.at(label).Height()) << label;
        }
        EXPECT_EQ(out.at(IDC_FILTER_LABEL).bottom, out.at(IDC_FILTER_EDIT).top - 2);
        for (int id : {IDC_OPTIONS_GROUP, IDC_FILTER_EDIT, IDC_RECYCLE_FILES, IDC_PRESET_COMBO,
                       IDC_FOLDERS_LABEL, IDC_FOLDER_LIST}) {
            EXPECT_EQ(out.at(id).left, in.controls.at(id).left) << id;
            EXPECT_EQ(out.at(id).Width(), in.controls.at(id).Width()) << id;
        }
        for (int id : {IDC_OPTIONS_GROUP, IDC_FILTER_EDIT, IDC_PRESET_COMBO, IDC_DELETE_FILES}) {
            EXPECT_EQ(out.at(id).Height(), in.controls.at(id).Height()) << id;
        }
        EXPECT_EQ(out.at(IDC_PRESET_COMBO).bottom, out.at(IDC_OPTIONS_GROUP).top - 12);
        EXPECT_EQ(out.at(IDC_PRESET_LABEL).bottom, out.at(IDC_PRESET_COMBO).top - 2);
        // The folder list stretches between its label and the preset label.
        EXPECT_EQ(out.at(IDC_FOLDERS_LABEL).top, 40);
        EXPECT_EQ(out.at(IDC_FOLDER_LIST).top, out.at(IDC_FOLDERS_LABEL).bottom + 2);
        EXPECT_EQ(out.at(IDC_FOLDER_LIST).bottom, out.at(IDC_PRESET_LABEL).top - 6);
        // The file list stretches both ways.
        EXPECT_EQ(out.at(IDC_FILE_LIST).left, 342);
        EXPECT_EQ(out.at(IDC_FILE_LIST).right, width - 10);
        EXPECT_EQ(out.at(IDC_FILE_LIST).top, 40);
        // Under it the summary line, level with the group's bottom.
        EXPECT_EQ(out.at(IDC_RUN_SUMMARY).bottom, height - 52);
        EXPECT_EQ(out.at(IDC_RUN_SUMMARY).Height(), 16);
        EXPECT_EQ(out.at(IDC_RUN_SUMMARY).left, 342);
        EXPECT_EQ(out.at(IDC_RUN_SUMMARY).right, width - 10);
        EXPECT_EQ(out.at(IDC_FILE_LIST).bottom, out.at(IDC_RUN_SUMMARY).top - 4);
    }
}

TEST(ComputeMainLayout, TemplateSizeMovesTheLeftColumnOnlyWhereTheArithmeticSays) {
    // A second pass over its own result changes nothing: the layout is a fixed point.
    MainLayoutInput in = TemplateInput(960, 635);
    auto first = ComputeMainLayout(in);
    for (const auto& [id, rect] : first) {
        in.controls[id] = rect;
    }
    EXPECT_EQ(ComputeMainLayout(in), first);
}

TEST(ComputeMainLayout, MarginsGapsAndBandFollowTheDpi) {
    // dpi, then the right margin (10), band (40), group bottom margin (52), the gap of the
    // two bottom boxes (4) and the gap above the empty-folders box (16) at that DPI.
    const struct {
        int dpi, margin, band, group, box_gap, section_gap;
    } kCases[] = {
        {96, 10, 40, 52, 4, 16},
        {120, 13, 50, 65, 5, 20},
        {144, 15, 60, 78, 6, 24},
        {192, 20, 80, 104, 8, 32},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.dpi);
        MainLayoutInput in = TemplateInput(1400, 1000);
        in.dpi = c.dpi;
        const auto out = ComputeMainLayout(in);
        EXPECT_EQ(out.at(kCloseButtonId).right, 1400 - c.margin);
        EXPECT_EQ(out.at(IDC_FILE_LIST).right, 1400 - c.margin);
        EXPECT_EQ(out.at(IDC_FILE_LIST).top, c.band);
        EXPECT_EQ(out.at(IDC_FOLDERS_LABEL).top, c.band);
        EXPECT_EQ(out.at(IDC_OPTIONS_GROUP).bottom, 1000 - c.group);
        EXPECT_EQ(out.at(IDC_AUTO_CLOSE).bottom, out.at(IDC_ALWAYS_ON_TOP).top - c.box_gap);
        EXPECT_EQ(out.at(IDC_DELETE_EMPTY_FOLDERS).bottom,
                  out.at(IDC_SCAN_SUBFOLDERS).top - c.section_gap);
    }
}

}  // namespace
}  // namespace vantrel
