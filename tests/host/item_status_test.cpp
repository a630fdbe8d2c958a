#include <gtest/gtest.h>

#include "engine/items.h"
#include "engine/shell_path_rules.h"
#include "ui/model/status_display.h"

namespace vantrel {
namespace {

TEST(ItemStatusTest, TextsAndStateImages) {
    struct Case {
        ItemStatus status;
        int value;
        const wchar_t* folder_text;
        const wchar_t* file_text;
        int state_index;
    };
    const Case cases[] = {
        {ItemStatus::None, 0, L"", L"", 0},
        {ItemStatus::InProgress, 1, L"Scanning", L"Deleting", 5},
        {ItemStatus::Done, 10, L"42", L"Deleted", 2},
        {ItemStatus::NotExists, 20, L"Not exists", L"Not exists", 3},
        {ItemStatus::Declined, 21, L"", L"", 0},
        {ItemStatus::Failed, 40, L"Failed", L"Failed", 4},
        {ItemStatus::ReadOnly, 41, L"", L"Read-only", 4},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(static_cast<int>(c.status), c.value);
        EXPECT_EQ(FolderStatusText(c.status, 42), c.folder_text) << c.value;
        EXPECT_EQ(FileStatusText(c.status), c.file_text) << c.value;
        EXPECT_EQ(StatusStateIndex(c.status), c.state_index) << c.value;
    }
    EXPECT_EQ(FolderStatusText(ItemStatus::Done, 0), L"0");
}

TEST(ShellPathRulesTest, RefusesWhatTheShellWouldReadDifferently) {
    const std::wstring longest = L"C:\\" + std::wstring(kShellPathLimit - 3, L'x');
    struct Case {
        std::wstring path;
        bool fits;
    };
    const Case cases[] = {
        {L"C:\\r\\a.obj", true},
        {L"\\\\server\\share\\a", true},
        {longest, true},
        {longest + L"y", false},  // would need shortening
        {L"", false},
        {L"a.obj", false},  // relative: the shell would take the current folder
        {L"\\a.obj", false},
        {L"C:a.obj", false},
        {L"C:\\r\\*.obj", false},  // a wildcard widens the operation
        {L"C:\\r\\a?.obj", false},
        {std::wstring(L"C:\\r\\a\0b", 8), false},  // an embedded NUL ends the list early
        {L"C:\\r\\..\\other", false},
        {L"C:\\r\\.", false},
        {L"\\\\?\\C:\\r\\a", false},
        {L"C:\\r\\notes.", false},  // the shell would trim it to "notes"
        {L"C:\\r\\blank ", false},
        {L"C:\\dir.\\a.obj", false},
        {L"C:\\r\\.hidden", true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(FitsShellDelete(c.path), c.fits) << c.path.size();
    }
}

}  // namespace
}  // namespace vantrel
