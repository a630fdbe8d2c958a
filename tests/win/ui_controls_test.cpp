#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <string>
#include <vector>

#include "engine/items.h"
#include "ui/controls/display_helpers.h"
#include "ui/controls/sort_list_ctrl.h"
#include "ui/controls/ui_resources.h"
#include "ui/model/compare_rules.h"
#include "win32/handles.h"

namespace vantrel {
namespace {

class SortListTest : public ::testing::Test {
  protected:
    void SetUp() override {
        INITCOMMONCONTROLSEX init{sizeof(init), ICC_LISTVIEW_CLASSES};
        InitCommonControlsEx(&init);
        window_.reset(CreateWindowExW(0, WC_LISTVIEWW, L"", WS_POPUP | LVS_REPORT, 0, 0, 400, 300,
                                      nullptr, nullptr, nullptr, nullptr));
        ASSERT_TRUE(window_);
        ASSERT_TRUE(list_.Attach(window_.get()));
        list_.InsertColumn(0, L"Folder", -1, -1, 200);
        list_.InsertColumn(1, L"Status", -1, -1, 60);
        // The item data point into records_, so sorting the records sorts the rows.
        list_.SetSorter([this](const SortState& sort) {
            std::sort(records_.begin(), records_.end(),
                      [&](const FolderItem& a, const FolderItem& b) {
                          return CompareFolderRecords(a, b, sort) < 0;
                      });
        });
        records_ = {{L"C:\\b", 0, ItemStatus::Failed},
                    {L"C:\\a", 0, ItemStatus::Done},
                    {L"C:\\c", 0, ItemStatus::None}};
        for (FolderItem& record : records_) {
            LVITEMW item{};
            item.mask = LVIF_TEXT | LVIF_PARAM;
            item.iItem = list_.RowCount();
            item.pszText = record.path.data();
            item.lParam = reinterpret_cast<LPARAM>(&record);
            SendMessageW(window_.get(), LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item));
        }
    }
    std::vector<std::wstring> Order() const {
        std::vector<std::wstring> paths;
        for (int row = 0; row < list_.RowCount(); ++row) {
            LVITEMW item{};
            item.mask = LVIF_PARAM;
            item.iItem = row;
            SendMessageW(window_.get(), LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item));
            paths.push_back(reinterpret_cast<const FolderItem*>(item.lParam)->path);
        }
        return paths;
    }
    // The header image of a column, or -1 without one.
    int Arrow(int column) const {
        HDITEMW item{};
        item.mask = HDI_FORMAT | HDI_IMAGE;
        SendMessageW(ListView_GetHeader(window_.get()), HDM_GETITEMW, static_cast<WPARAM>(column),
                     reinterpret_cast<LPARAM>(&item));
        return (item.fmt & HDF_IMAGE) != 0 ? item.iImage : -1;
    }

    WindowHandle window_;
    CSortListCtrl list_;
    std::vector<FolderItem> records_;
};

TEST_F(SortListTest, HeaderClicksSortWithArrowsAndKeepTheDirectionOnAnotherColumn) {
    EXPECT_EQ(Arrow(0), -1);
    list_.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<std::wstring>{L"C:\\a", L"C:\\b", L"C:\\c"}));
    EXPECT_EQ(Arrow(0), 0);
    list_.OnHeaderClick(0);
    EXPECT_EQ(Order(), (std::vector<std::wstring>{L"C:\\c", L"C:\\b", L"C:\\a"}));
    EXPECT_EQ(Arrow(0), 1);
    list_.OnHeaderClick(1);  // still descending: Failed 40, Done 10, None 0
    EXPECT_EQ(Order(), (std::vector<std::wstring>{L"C:\\b", L"C:\\a", L"C:\\c"}));
    EXPECT_EQ(Arrow(0), -1);
    EXPECT_EQ(Arrow(1), 1);
    EXPECT_EQ(list_.GetSortState().column, 1);
    EXPECT_EQ(list_.GetSortState().direction, -1);
}

TEST_F(SortListTest, RealHeaderClickNotificationSortsAndWithoutSorterOnlyTheArrowChanges) {
    NMHEADERW click{};
    click.hdr = {ListView_GetHeader(window_.get()), 0, static_cast<UINT>(HDN_ITEMCLICKW)};
    click.iItem = 0;
    EXPECT_EQ(SendMessageW(window_.get(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click)), 0);
    EXPECT_EQ(Order().front(), L"C:\\a");

    list_.SetSorter(nullptr);
    click.iItem = 1;
    SendMessageW(window_.get(), WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&click));
    EXPECT_EQ(Order().front(), L"C:\\a");
    EXPECT_EQ(Arrow(1), 0);
}

TEST_F(SortListTest, SelectAllSetsAndClearsEveryRow) {
    list_.SelectAll(true);
    EXPECT_EQ(list_.SelectedCount(), 3);
    EXPECT_EQ(list_.FirstSelected(), 0);
    list_.SelectAll(false);
    EXPECT_EQ(list_.SelectedCount(), 0);
    EXPECT_EQ(list_.FirstSelected(), -1);
    list_.SetColumnText(1, L"State");
    wchar_t text[32] = {};
    LVCOLUMNW column{};
    column.mask = LVCF_TEXT;
    column.pszText = text;
    column.cchTextMax = 32;
    SendMessageW(window_.get(), LVM_GETCOLUMNW, 1, reinterpret_cast<LPARAM>(&column));
    EXPECT_STREQ(text, L"State");
}

TEST(FormatNumber, GroupsByTheGivenRulesAndZeroIsPlain) {
    NumberFormatValues western;
    western.grouping = 3;
    western.thousand_separator = L",";
    western.negative_order = 1;  // "-1.1"
    EXPECT_EQ(FormatNumberWith(1234567, western), L"1,234,567");
    EXPECT_EQ(FormatNumberWith(-1234567, western), L"-1,234,567");
    EXPECT_EQ(FormatNumberWith(0, western), L"0");
    NumberFormatValues brackets = western;
    brackets.negative_order = 0;  // "(1.1)"
    EXPECT_EQ(FormatNumberWith(-1234567, brackets), L"(1,234,567)");
    NumberFormatValues indian = western;
    indian.grouping = 32;
    EXPECT_EQ(FormatNumberWith(1234567, indian), L"12,34,567");
    NumberFormatValues none = western;
    none.grouping = 0;
    EXPECT_EQ(FormatNumberWith(1234567, none), L"1234567");
    EXPECT_EQ(FormatNumberWith(9223372036854775807LL, western), L"9,223,372,036,854,775,807");
    EXPECT_EQ(FormatNumber(0), L"0");
}

TEST(DisplayHelpers, ParentFolderAndSystemIcons) {
    EXPECT_EQ(GetParentFolder(L"C:\\a\\b.txt"), L"C:\\a");
    EXPECT_EQ(GetParentFolder(L"C:\\b.txt"), L"C:\\");
    EXPECT_EQ(GetParentFolder(L"C:\\"), L"");
    wchar_t temp[MAX_PATH + 1] = {};
    GetTempPathW(MAX_PATH, temp);
    EXPECT_GE(GetSystemIconIndex(temp, SHGFI_SMALLICON), 0);
    // A file that does not exist still gets the icon of its type.
    EXPECT_GE(GetSystemIconIndex(L"C:\\no\\such\\file.txt", SHGFI_SMALLICON), 0);
}

TEST(UiResources, SystemImageListsFontsAndCursor) {
    CUiResources resources;
    ASSERT_TRUE(resources.Initialize(GetModuleHandleW(nullptr)));
    EXPECT_NE(resources.ImageList(CUiResources::kSmallImages), nullptr);
    EXPECT_NE(resources.ImageList(CUiResources::kLargeImages), nullptr);
    EXPECT_EQ(resources.ImageList(3), nullptr);
    EXPECT_NE(resources.LinkCursor(), nullptr);
    FontHandle base(
        CreateFontW(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, L"Tahoma"));
    ASSERT_TRUE(resources.MakeFonts(base.get()));
    LOGFONTW font{};
    GetObjectW(resources.LargeBoldFont(), sizeof(font), &font);
    EXPECT_EQ(font.lfHeight, -16);  // -11 + -11 / 2
    EXPECT_EQ(font.lfWeight, FW_BOLD);
    EXPECT_EQ(font.lfUnderline, 0);
    GetObjectW(resources.UnderlinedFont(), sizeof(font), &font);
    EXPECT_EQ(font.lfUnderline, 1);
    GetObjectW(resources.StruckOutFont(), sizeof(font), &font);
    EXPECT_EQ(font.lfStrikeOut, 1);
    EXPECT_EQ(font.lfUnderline, 0);
}

}  // namespace
}  // namespace vantrel
