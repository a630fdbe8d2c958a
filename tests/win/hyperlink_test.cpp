#include <windows.h>
#include <commctrl.h>

#include <gtest/gtest.h>

#include <vector>

#include "ui/controls/hyperlink.h"
#include "ui/controls/hyperlink_rules.h"

namespace vantrel {
namespace {

TEST(HyperLinkRules, AlignmentFollowsTheButtonStyle) {
    const struct {
        LONG_PTR style;
        UINT format;
    } cases[] = {
        {BS_LEFT, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS},
        {0, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_CENTER},
        {BS_RIGHT, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_RIGHT},
        {BS_CENTER, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS | DT_RIGHT},
        {BS_OWNERDRAW | BS_LEFT | WS_TABSTOP, DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS},
        {BS_MULTILINE | BS_LEFT, DT_WORDBREAK | DT_END_ELLIPSIS},
        {BS_MULTILINE, DT_WORDBREAK | DT_END_ELLIPSIS | DT_CENTER},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(HyperLinkTextFormat(c.style), c.format) << std::hex << c.style;
    }
    EXPECT_EQ(HyperLinkTextFormat(0) & 0xFFFF, 0x8025u);
    EXPECT_EQ(HyperLinkTextFormat(BS_LEFT), 0x8024u);
}

// A link that counts its requests instead of asking the system or the shell.
class CountingLink : public CHyperLink {
  public:
    int leave_requests = 0;
    int opened = 0;

  protected:
    void RequestLeaveNotification() override { ++leave_requests; }
    void OpenTarget() override { ++opened; }
};

// A top-level window holding one owner-drawn button, and a font without smoothing so
// that drawn text has exactly the text colour.
class HyperLinkFixture : public ::testing::Test {
  protected:
    void SetUp() override {
        parent_ = CreateWindowExW(0, L"STATIC", L"parent", WS_POPUP, 0, 0, 400, 100, nullptr,
                                  nullptr, nullptr, nullptr);
        ASSERT_NE(parent_, nullptr);
        button_ = CreateButton(BS_OWNERDRAW | BS_LEFT);
        LOGFONTW face{};
        face.lfHeight = -16;
        face.lfQuality = NONANTIALIASED_QUALITY;
        wcscpy_s(face.lfFaceName, L"Tahoma");
        font_ = CreateFontIndirectW(&face);
        face.lfUnderline = TRUE;
        underlined_ = CreateFontIndirectW(&face);
        SendMessageW(button_, WM_SETFONT, reinterpret_cast<WPARAM>(font_), FALSE);
        ASSERT_TRUE(link_.Attach(button_));
    }
    void TearDown() override {
        link_.Detach();
        DestroyWindow(parent_);
        DeleteObject(font_);
        DeleteObject(underlined_);
    }

    HWND CreateButton(DWORD style) {
        return CreateWindowExW(0, L"BUTTON", L"", WS_CHILD | WS_VISIBLE | style, 10, 10, 300, 24,
                               parent_, nullptr, nullptr, nullptr);
    }

    // Draws the link into a 300 x 24 bitmap and counts the pixels of each colour.
    struct Drawn {
        int normal = 0;
        int hover = 0;
        int background = 0;
        int other = 0;
    };
    Drawn Draw(UINT state = 0) {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), 300, -24, 1, 32, BI_RGB};
        void* bits = nullptr;
        HDC dc = CreateCompatibleDC(nullptr);
        HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        HGDIOBJ old = SelectObject(dc, bitmap);
        DRAWITEMSTRUCT item{};
        item.CtlType = ODT_BUTTON;
        item.hwndItem = button_;
        item.hDC = dc;
        item.rcItem = {0, 0, 300, 24};
        item.itemState = state;
        link_.DrawItem(item);
        GdiFlush();
        Drawn drawn;
        const auto* pixels = static_cast<const DWORD*>(bits);
        for (int i = 0; i < 300 * 24; ++i) {
            const DWORD rgb = pixels[i] & 0xFFFFFF;  // DIB order: 0x00RRGGBB
            if (rgb == 0x0000FF) {
                ++drawn.normal;  // blue, COLORREF 0x00FF0000
            } else if (rgb == 0xFF0000) {
                ++drawn.hover;  // red, COLORREF 0x000000FF
            } else if (rgb == 0xFFFFFF) {
                ++drawn.background;
            } else {
                ++drawn.other;
            }
        }
        SelectObject(dc, old);
        DeleteObject(bitmap);
        DeleteDC(dc);
        return drawn;
    }

    HWND parent_ = nullptr;
    HWND button_ = nullptr;
    HFONT font_ = nullptr;
    HFONT underlined_ = nullptr;
    CountingLink link_;
};

TEST_F(HyperLinkFixture, HoverAsksForOneLeaveAndTurnsRedAndUnderlined) {
    link_.SetTransparent(false);
    link_.SetBackgroundColour(RGB(255, 255, 255));
    link_.SetHoverFont(underlined_);
    link_.SetLink(nullptr, L"support@zephrane.example");

    const Drawn normal = Draw();
    EXPECT_GT(normal.normal, 0);
    EXPECT_EQ(normal.hover, 0);

    for (int move = 0; move < 3; ++move) {
        SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5 + move, 5));
    }
    EXPECT_EQ(link_.leave_requests, 1);
    EXPECT_TRUE(link_.Hovering());
    const Drawn hover = Draw();
    EXPECT_EQ(hover.normal, 0);
    // The same glyphs plus the underline.
    EXPECT_GT(hover.hover, normal.normal);

    SendMessageW(button_, WM_MOUSELEAVE, 0, 0);
    EXPECT_FALSE(link_.Hovering());
    const Drawn left = Draw();
    EXPECT_EQ(left.normal, normal.normal);
    EXPECT_EQ(left.hover, 0);

    SendMessageW(button_, WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_EQ(link_.leave_requests, 2);  // a new hover asks again
}

TEST_F(HyperLinkFixture, WithoutHoverFontTheOwnFontIsUsed) {
    EXPECT_EQ(ChooseHyperLinkLook(true, nullptr, font_).font, font_);
    EXPECT_EQ(ChooseHyperLinkLook(true, underlined_, font_).font, underlined_);
    EXPECT_EQ(ChooseHyperLinkLook(false, underlined_, font_).font, font_);
    EXPECT_EQ(ChooseHyperLinkLook(true, underlined_, font_).text_colour, 0x000000FFu);
    EXPECT_EQ(ChooseHyperLinkLook(false, underlined_, font_).text_colour, 0x00FF0000u);
}

TEST_F(HyperLinkFixture, EmptyTextDrawsOnlyBackgroundAndFocus) {
    link_.SetTransparent(false);
    link_.SetBackgroundColour(RGB(255, 255, 255));
    const Drawn plain = Draw();
    EXPECT_EQ(plain.background, 300 * 24);
    const Drawn focused = Draw(ODS_FOCUS);
    EXPECT_GT(focused.other + focused.normal + focused.hover, 0);
    EXPECT_LT(focused.background, 300 * 24);
}

TEST_F(HyperLinkFixture, SizeToTextIsTextWidthPlusTwo) {
    link_.SetLink(nullptr, L"https://www.zephrane.example/");
    HDC dc = GetDC(button_);
    HGDIOBJ old = SelectObject(dc, font_);
    SIZE extent{};
    GetTextExtentPoint32W(dc, L"https://www.zephrane.example/", 29, &extent);
    SelectObject(dc, old);
    ReleaseDC(button_, dc);

    link_.SizeToText();
    RECT bounds{};
    GetWindowRect(button_, &bounds);
    MapWindowPoints(HWND_DESKTOP, parent_, reinterpret_cast<POINT*>(&bounds), 2);
    EXPECT_EQ(bounds.right - bounds.left, extent.cx + 2);
    EXPECT_EQ(bounds.bottom - bounds.top, 24);  // height and place unchanged
    EXPECT_EQ(bounds.left, 10);
    EXPECT_EQ(bounds.top, 10);
    EXPECT_EQ(HyperLinkWidthForText(100), 102);
}

TEST_F(HyperLinkFixture, MultiLineLinkKeepsItsWidth) {
    CountingLink multi;
    const HWND button = CreateButton(BS_OWNERDRAW | BS_MULTILINE);
    ASSERT_TRUE(multi.Attach(button));
    multi.SetLink(nullptr, L"x");
    multi.SizeToText();
    RECT bounds{};
    GetWindowRect(button, &bounds);
    EXPECT_EQ(bounds.right - bounds.left, 300);
}

TEST_F(HyperLinkFixture, ClickOpensTheTargetOrIsLeftToTheParent) {
    link_.SetLink(nullptr, L"text only");
    EXPECT_FALSE(link_.OnClicked());
    EXPECT_EQ(link_.opened, 0);
    EXPECT_TRUE(link_.Target().empty());

    link_.SetLink(L"https://www.zephrane.example/", nullptr);
    EXPECT_TRUE(link_.OnClicked());
    EXPECT_EQ(link_.opened, 1);
    wchar_t text[32] = {};
    GetWindowTextW(button_, text, 32);
    EXPECT_STREQ(text, L"text only");  // a null text keeps the window text
}

TEST_F(HyperLinkFixture, CursorAndBackgroundMessagesAreAnswered) {
    EXPECT_EQ(SendMessageW(button_, WM_SETCURSOR, reinterpret_cast<WPARAM>(button_),
                           MAKELPARAM(HTCLIENT, WM_MOUSEMOVE)),
              TRUE);
    HDC dc = GetDC(button_);
    EXPECT_EQ(SendMessageW(button_, WM_ERASEBKGND, reinterpret_cast<WPARAM>(dc), 0), TRUE);
    ReleaseDC(button_, dc);
}

TEST_F(HyperLinkFixture, DestroyedButtonDetachesItself) {
    DestroyWindow(button_);
    EXPECT_EQ(link_.hwnd(), nullptr);
    link_.SetLink(L"x", L"y");  // no window: only the target changes
    EXPECT_EQ(link_.Target(), L"x");
}

}  // namespace
}  // namespace vantrel
