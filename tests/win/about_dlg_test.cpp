#include <windows.h>

#include <gtest/gtest.h>

#include <memory>
#include <string>

#include "config/product_links.h"
#include "resources/resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/dialogs/about_dlg.h"

namespace vantrel {
namespace {

std::wstring TextOf(HWND window) {
    wchar_t text[256] = {};
    GetWindowTextW(window, text, 256);
    return text;
}

int WidthOf(HWND window) {
    RECT bounds{};
    GetWindowRect(window, &bounds);
    return bounds.right - bounds.left;
}

int TextWidth(HWND window, HFONT font) {
    const std::wstring text = TextOf(window);
    HDC dc = GetDC(window);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE extent{};
    GetTextExtentPoint32W(dc, text.c_str(), static_cast<int>(text.size()), &extent);
    SelectObject(dc, old);
    ReleaseDC(window, dc);
    return extent.cx;
}

class AboutDialogTest : public ::testing::Test {
  protected:
    void SetUp() override {
        resources_.Initialize(GetModuleHandleW(nullptr));
        ASSERT_TRUE(resources_.MakeFonts(static_cast<HFONT>(GetStockObject(DEFAULT_GUI_FONT))));
        dialog_ = std::make_unique<CAboutDlg>(resources_, [this] { ++mails_; });
        ASSERT_NE(dialog_->CreateModeless(nullptr), nullptr);
    }
    void TearDown() override { dialog_->Destroy(); }

    HWND Item(int id) const { return dialog_->Item(id); }

    CUiResources resources_;
    std::unique_ptr<CAboutDlg> dialog_;
    int mails_ = 0;
};

TEST_F(AboutDialogTest, ShowsTitleVersionAndLinks) {
    EXPECT_EQ(TextOf(dialog_->hwnd()), L"About Vantrel");
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_TITLE)), L"Vantrel 1");
    EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(IDC_ABOUT_TITLE), WM_GETFONT, 0, 0)),
              resources_.LargeBoldFont());
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_VERSION)), L"Version 1.1.1");
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_DESCRIPTION)),
              L"Delete intermediate, temporary, junk, and all unwanted files/subfolders.");

    EXPECT_EQ(TextOf(Item(IDC_ABOUT_WEB_LINK)), kHomePageAddress);
    EXPECT_EQ(dialog_->WebLink().Target(), kHomePageAddress);
    EXPECT_EQ(TextOf(Item(IDC_ABOUT_MAIL_LINK)), kSupportMailAddress);
    EXPECT_TRUE(dialog_->MailLink().Target().empty());
    for (int id : {IDC_ABOUT_WEB_LINK, IDC_ABOUT_MAIL_LINK}) {
        EXPECT_EQ(reinterpret_cast<HFONT>(SendMessageW(Item(id), WM_GETFONT, 0, 0)),
                  resources_.NormalFont());
        EXPECT_EQ(WidthOf(Item(id)), TextWidth(Item(id), resources_.NormalFont()) + 2);
    }
    EXPECT_EQ(dialog_->WebLink().HoverFont(), resources_.UnderlinedFont());
    EXPECT_EQ(dialog_->MailLink().HoverFont(), resources_.UnderlinedFont());
}

TEST_F(AboutDialogTest, MailboxLinkReachesTheDialogAsItsCommand) {
    SendMessageW(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(IDC_ABOUT_MAIL_LINK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDC_ABOUT_MAIL_LINK)));
    EXPECT_EQ(mails_, 1);
    EXPECT_FALSE(dialog_->Ended());
    SendMessageW(dialog_->hwnd(), WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                 reinterpret_cast<LPARAM>(Item(IDOK)));
    EXPECT_TRUE(dialog_->Ended());
    EXPECT_EQ(mails_, 1);
}

// Sends the dialog the WM_DRAWITEM of a link, drawn into a bitmap; counts the pixels that
// lean to blue and to red (the text may be smoothed).
struct Tint {
    int blue = 0;
    int red = 0;
};
Tint DrawThroughDialog(HWND dialog, HWND link) {
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), 200, -16, 1, 32, BI_RGB};
    void* bits = nullptr;
    HDC dc = CreateCompatibleDC(nullptr);
    HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(dc, bitmap);
    DRAWITEMSTRUCT item{};
    item.CtlType = ODT_BUTTON;
    item.CtlID = static_cast<UINT>(GetDlgCtrlID(link));
    item.hwndItem = link;
    item.hDC = dc;
    item.rcItem = {0, 0, 200, 16};
    EXPECT_EQ(SendMessageW(dialog, WM_DRAWITEM, item.CtlID, reinterpret_cast<LPARAM>(&item)), TRUE);
    GdiFlush();
    Tint tint;
    const auto* pixels = static_cast<const DWORD*>(bits);
    for (int i = 0; i < 200 * 16; ++i) {
        const int r = (pixels[i] >> 16) & 0xFF;
        const int b = pixels[i] & 0xFF;
        tint.blue += b > r + 64 ? 1 : 0;
        tint.red += r > b + 64 ? 1 : 0;
    }
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    return tint;
}

TEST_F(AboutDialogTest, LinksAreDrawnThroughTheDialogAndFollowTheMouse) {
    const HWND web = Item(IDC_ABOUT_WEB_LINK);
    const Tint normal = DrawThroughDialog(dialog_->hwnd(), web);
    EXPECT_GT(normal.blue, 0);
    EXPECT_EQ(normal.red, 0);

    SendMessageW(web, WM_MOUSEMOVE, 0, MAKELPARAM(2, 2));
    EXPECT_TRUE(dialog_->WebLink().Hovering());
    const Tint hover = DrawThroughDialog(dialog_->hwnd(), web);
    EXPECT_EQ(hover.blue, 0);
    EXPECT_GT(hover.red, normal.blue);  // the underline adds to the glyphs

    SendMessageW(web, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(dialog_->WebLink().Hovering());
    EXPECT_EQ(DrawThroughDialog(dialog_->hwnd(), web).red, 0);
}

}  // namespace
}  // namespace vantrel
