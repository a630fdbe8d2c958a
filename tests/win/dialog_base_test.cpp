#include <gtest/gtest.h>

#include <windows.h>

#include <stdexcept>

#include "ui/controls/dialog_base.h"

namespace vantrel {
namespace {

// An empty popup dialog in memory: the template header and empty menu, class and title.
struct alignas(4) EmptyTemplate {
    DLGTEMPLATE header{WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 0, 0, 0, 100, 60};
    WORD menu = 0;
    WORD window_class = 0;
    WORD title = 0;
};
const EmptyTemplate kEmptyTemplate;

constexpr UINT kThrowMessage = WM_APP + 7;

class ProbeDialog : public CDialogBase {
  public:
    ProbeDialog() : CDialogBase(0) { UseTemplate(&kEmptyTemplate.header); }

    bool create_result = true;
    int created = 0;
    int initialised = 0;
    int idle_calls = 0;
    int filtered = 0;
    bool owner_was_enabled_at_idle = true;
    HWND owner = nullptr;

  protected:
    bool OnCreate() override {
        ++created;
        return create_result;
    }
    BOOL OnInitDialog() override {
        ++initialised;
        return TRUE;
    }
    bool OnNotify(NMHDR& header, LRESULT& result) override {
        result = static_cast<LRESULT>(header.code) * 2;
        return true;
    }
    bool OnMessage(UINT message, WPARAM, LPARAM, LRESULT&) override {
        if (message == kThrowMessage) {
            throw std::runtime_error("handler failure");
        }
        return false;
    }
    bool PreTranslateMessage(MSG& message) override {
        if (message.message == WM_APP + 1) {
            ++filtered;
            return true;
        }
        return CDialogBase::PreTranslateMessage(message);
    }
    void OnIdle() override {
        ++idle_calls;
        if (owner != nullptr) {
            owner_was_enabled_at_idle = IsWindowEnabled(owner) != FALSE;
        }
    }
};

TEST(DialogBase, ModelessCreationRunsCreateThenInitAndEndsOnCommands) {
    ProbeDialog dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(dialog.created, 1);
    EXPECT_EQ(dialog.initialised, 1);
    EXPECT_EQ(reinterpret_cast<ProbeDialog*>(GetWindowLongPtrW(dialog.hwnd(), DWLP_USER)), &dialog);

    SendMessageW(dialog.hwnd(), WM_COMMAND, MAKEWPARAM(IDCANCEL, BN_CLICKED), 0);
    EXPECT_TRUE(dialog.Ended());
    EXPECT_EQ(dialog.Result(), IDCANCEL);
    EXPECT_NE(dialog.hwnd(), nullptr);  // modeless: the window stays until Destroy
    dialog.Destroy();
    EXPECT_EQ(dialog.hwnd(), nullptr);
}

TEST(DialogBase, FailedCreationLeavesNoWindowAndSkipsInit) {
    ProbeDialog dialog;
    dialog.create_result = false;
    EXPECT_EQ(dialog.CreateModeless(nullptr), nullptr);
    EXPECT_EQ(dialog.initialised, 0);
    EXPECT_EQ(dialog.hwnd(), nullptr);

    ProbeDialog modal;
    modal.create_result = false;
    EXPECT_EQ(modal.RunModal(nullptr), -1);
}

TEST(DialogBase, NotifyResultGoesThroughMsgResultAndExceptionsStayInside) {
    ProbeDialog dialog;
    ASSERT_NE(dialog.CreateModeless(nullptr), nullptr);
    NMHDR header{dialog.hwnd(), 5, 21};
    EXPECT_EQ(SendMessageW(dialog.hwnd(), WM_NOTIFY, 5, reinterpret_cast<LPARAM>(&header)), 42);
    // A throwing handler is reported as an unhandled message, not a crash.
    EXPECT_EQ(SendMessageW(dialog.hwnd(), kThrowMessage, 0, 0), 0);
    EXPECT_TRUE(IsWindow(dialog.hwnd()));
}

TEST(DialogBase, ModalLoopDisablesOwnerFiltersRunsIdleAndReturnsResult) {
    HWND owner = CreateWindowExW(0, L"STATIC", L"owner", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                 nullptr, nullptr);
    ASSERT_NE(owner, nullptr);
    ProbeDialog dialog;
    dialog.owner = owner;
    // Posted before the loop starts: seen by the filter, then the end command.
    PostThreadMessageW(GetCurrentThreadId(), WM_APP + 1, 0, 0);
    struct Ender {
        static void CALLBACK Fire(HWND, UINT, UINT_PTR id, DWORD) {
            KillTimer(nullptr, id);
            HWND active = FindWindowW(L"#32770", nullptr);
            PostMessageW(active, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), 0);
        }
    };
    SetTimer(nullptr, 0, 50, &Ender::Fire);
    EXPECT_EQ(dialog.RunModal(owner), IDOK);
    EXPECT_EQ(dialog.filtered, 1);
    EXPECT_GE(dialog.idle_calls, 1);
    EXPECT_FALSE(dialog.owner_was_enabled_at_idle);
    EXPECT_TRUE(IsWindowEnabled(owner));
    EXPECT_EQ(dialog.hwnd(), nullptr);
    DestroyWindow(owner);
}

}  // namespace
}  // namespace vantrel
