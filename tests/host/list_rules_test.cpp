#include <gtest/gtest.h>

#include <iterator>
#include <set>
#include <string>
#include <vector>

#include "ui/model/list_rules.h"

namespace vantrel {
namespace {

TEST(CountedHeaderText, CountsRowsAndDropsTheCountWhenEmpty) {
    struct Case {
        const wchar_t* title;
        int rows;
        const wchar_t* expected;
    };
    const Case cases[] = {
        {L"Folder", 0, L"Folder"},
        {L"Folder", 1, L"Folder (1)"},
        {L"Folder", 3, L"Folder (3)"},
        {L"Name", 0, L"Name"},
        {L"Name", 10, L"Name (10)"},
        {L"Name", 123456, L"Name (123456)"},
        {L"Name", 2147483647, L"Name (2147483647)"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CountedHeaderText(c.title, c.rows), c.expected) << c.title << " " << c.rows;
    }
}

TEST(ChooseMenuPosition, MousePositionIsUsedAsGiven) {
    // Only (-1, -1) means the keyboard; any other point, also negative ones on a monitor
    // left of or above the primary one, is the mouse position.
    const MenuPoint points[] = {{100, 200}, {-1, 0}, {0, -1}, {-1, 7}, {-300, -20}, {0, 0}};
    for (const MenuPoint& p : points) {
        MenuPositionInput in;
        in.requested = p;
        in.has_row = true;
        in.icon = LayoutRect{10, 10, 26, 26};
        in.client = LayoutRect{0, 0, 500, 300};
        const MenuPoint at = ChooseMenuPosition(in);
        EXPECT_EQ(at.x, p.x) << p.x << "," << p.y;
        EXPECT_EQ(at.y, p.y) << p.x << "," << p.y;
    }
}

TEST(ChooseMenuPosition, KeyboardOpensAtIconCentreInsideClientElseCornerPlusFive) {
    struct Case {
        const char* what;
        bool has_row;
        LayoutRect icon;
        LayoutRect client;
        MenuPoint expected;
    };
    const LayoutRect client{400, 300, 800, 600};
    const Case cases[] = {
        {"no row: corner plus five", false, LayoutRect{410, 310, 426, 326}, client, {405, 305}},
        {"row well inside", true, LayoutRect{410, 310, 426, 326}, client, {418, 318}},
        {"centre on the left edge", true, LayoutRect{392, 320, 408, 336}, client, {400, 328}},
        {"centre on the top edge", true, LayoutRect{420, 292, 436, 308}, client, {428, 300}},
        {"centre one left of the client", true, LayoutRect{391, 320, 407, 336}, client, {405, 305}},
        {"centre one above the client", true, LayoutRect{420, 291, 436, 307}, client, {405, 305}},
        {"centre on the right edge is outside",
         true,
         LayoutRect{792, 320, 808, 336},
         client,
         {405, 305}},
        {"centre on the bottom edge is outside",
         true,
         LayoutRect{420, 592, 436, 608},
         client,
         {405, 305}},
        {"centre one inside the bottom right",
         true,
         LayoutRect{791, 591, 807, 607},
         client,
         {799, 599}},
        {"row scrolled far below", true, LayoutRect{410, 2000, 426, 2016}, client, {405, 305}},
        {"row scrolled above", true, LayoutRect{410, -500, 426, -484}, client, {405, 305}},
        {"client on a monitor left of the primary",
         true,
         LayoutRect{-590, 10, -574, 26},
         LayoutRect{-600, 0, -100, 400},
         {-582, 18}},
        {"no row on a negative client",
         false,
         LayoutRect{},
         LayoutRect{-600, -400, -100, 0},
         {-595, -395}},
    };
    for (const Case& c : cases) {
        MenuPositionInput in;
        in.requested = MenuPoint{-1, -1};
        in.has_row = c.has_row;
        in.icon = c.icon;
        in.client = c.client;
        const MenuPoint at = ChooseMenuPosition(in);
        EXPECT_EQ(at.x, c.expected.x) << c.what;
        EXPECT_EQ(at.y, c.expected.y) << c.what;
    }
}

TEST(RowTouchesClient, TouchingCountsOverlapCountsBeyondDoesNot) {
    struct Case {
        const char* what;
        LayoutRect bounds;
        bool expected;
    };
    const LayoutRect client{0, 0, 400, 200};
    const Case cases[] = {
        {"inside", LayoutRect{0, 20, 400, 37}, true},
        {"straddles the bottom", LayoutRect{0, 190, 400, 207}, true},
        {"top edge on the client's bottom", LayoutRect{0, 200, 400, 217}, true},
        {"one below the bottom", LayoutRect{0, 201, 400, 218}, false},
        {"bottom edge on the client's top", LayoutRect{0, -17, 400, 0}, true},
        {"one above the top", LayoutRect{0, -18, 400, -1}, false},
        {"scrolled far right", LayoutRect{401, 20, 900, 37}, false},
        {"left edge on the client's right", LayoutRect{400, 20, 900, 37}, true},
        {"right edge on the client's left", LayoutRect{-500, 20, 0, 37}, true},
        {"one left of the client", LayoutRect{-500, 20, -1, 37}, false},
        {"wider than the client", LayoutRect{-100, 50, 900, 67}, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(RowTouchesClient(c.bounds, client), c.expected) << c.what;
    }
}

TEST(RunLockedControls, BusyLookDisablesTheseControlsInThisOrder) {
    const std::vector<int> expected = {1032, 1033, 1007, 1021, 1015, 1022, 1023, 1024, 1025, 1026,
                                       1030, 1035, 1019, 1020, 1051, 1017, 1050, 1034, 1048, 1047};
    const std::vector<int> actual(std::begin(kRunLockedControls), std::end(kRunLockedControls));
    EXPECT_EQ(actual, expected);
}

TEST(RunLockedControls, LeavesCloseStopCheckBoxesAndListsAlone) {
    const std::set<int> locked(std::begin(kRunLockedControls), std::end(kRunLockedControls));
    EXPECT_EQ(locked.size(), std::size(kRunLockedControls)) << "a control is listed twice";
    const int kCloseButton = 1;
    const int untouched[] = {kCloseButton,      IDC_STOP,        IDC_AUTO_CLOSE,
                             IDC_ALWAYS_ON_TOP, IDC_FOLDER_LIST, IDC_FILE_LIST};
    for (int id : untouched) {
        EXPECT_EQ(locked.count(id), 0u) << id;
    }
}

TEST(AnimationFrames, CycleThroughTheSpinImagesFiveToNine) {
    // The worker resets the frame to 0 when it starts on a row (state index 5); each timer
    // tick then advances it.
    std::vector<int> shown;
    int frame = 0;
    for (int tick = 0; tick < 11; ++tick) {
        frame = NextAnimationFrame(frame);
        shown.push_back(frame + kFirstAnimationStateIndex);
    }
    const std::vector<int> expected = {6, 7, 8, 9, 5, 6, 7, 8, 9, 5, 6};
    EXPECT_EQ(shown, expected);
}

TEST(AnimationFrames, StateIndicesAreTheSpinningRingImages) {
    // A row's state index is its image + 1, so the five frames must land exactly on the
    // five spin images of the state image strip.
    EXPECT_EQ(kFirstAnimationStateIndex, STATE_IMAGE_SPIN_FIRST + 1);
    for (int frame = 0; frame < 5; ++frame) {
        const int image = NextAnimationFrame(frame) + kFirstAnimationStateIndex - 1;
        EXPECT_GE(image, STATE_IMAGE_SPIN_FIRST) << frame;
        EXPECT_LT(image, STATE_IMAGE_SPIN_FIRST + STATE_IMAGE_SPIN_COUNT) << frame;
        EXPECT_LT(image, STATE_IMAGE_COUNT) << frame;
    }
}

TEST(RefreshPause, KeepsDrawingToATenthAndAtMostFourTimesASecond) {
    for (const uint64_t took : {0, 1, 27, 28, 60, 1000}) {
        const uint64_t pause = RefreshPause(took);
        EXPECT_GE(pause, 250u) << took;
        EXPECT_LE(10 * took, took + pause) << took;
    }
}

}  // namespace
}  // namespace vantrel
