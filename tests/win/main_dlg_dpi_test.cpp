// The main window at the DPI of the screen (96 in the ordinary run; tests/e2e/main_window_dpi.sh
// starts it at 144) and after a move to a monitor with half again the DPI: every pixel-sized part
// grows like the dialog-unit parts, and no control overlaps another.

#include <gtest/gtest.h>

#include <windows.h>
#include <commctrl.h>

#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "config/app_settings.h"
#include "config/memory_registry_profile.h"
#include "config/presets.h"
#include "resources/resource.h"
#include "ui/controls/ui_resources.h"
#include "ui/main/main_dlg.h"
#include "ui/model/dpi_scaling.h"

namespace vantrel {
namespace {

RECT RectIn(HWND parent, HWND child) {
    RECT rect{};
    GetWindowRect(child, &rect);
    MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int CellHeight(HFONT font) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    TEXTMETRICW metrics{};
    GetTextMetricsW(dc, &metrics);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return metrics.tmHeight;
}

// How much the dialog-unit parts grew against 96 DPI: the height of the template's font
// (Tahoma 8 pt) now, over its height at 96 DPI.
double DialogUnitGrowth(HWND dialog) {
    LOGFONTW at96{};
    at96.lfHeight = -MulDiv(8, 96, 72);
    wcscpy_s(at96.lfFaceName, L"Tahoma");
    HFONT reference = CreateFontIndirectW(&at96);
    const double growth = static_cast<double>(CellHeight(
                              reinterpret_cast<HFONT>(SendMessageW(dialog, WM_GETFONT, 0, 0)))) /
                          CellHeight(reference);
    DeleteObject(reference);
    return growth;
}

int ImageWidth(HIMAGELIST list) {
    int width = 0;
    int height = 0;
    ImageList_GetIconSize(list, &width, &height);
    return width;
}

bool IsInOptionsGroup(int id) {
    for (int inside : {IDC_FILTER_LABEL, IDC_FILTER_EDIT, IDC_KEEP_LABEL, IDC_KEEP_EDIT,
                       IDC_OLDER_LABEL, IDC_OLDER_EDIT, IDC_OLDER_UNIT, IDC_DELETE_FILES,
                       IDC_DELETE_FOLDERS, IDC_DELETE_EMPTY_FILES, IDC_DELETE_EMPTY_FOLDERS,
                       IDC_SCAN_SUBFOLDERS, IDC_DELETE_READONLYS, IDC_RECYCLE_FILES}) {
        if (id == inside) {
            return true;
        }
    }
    return false;
}

class MainWindowDpi : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(resources.Initialize(GetModuleHandleW(nullptr)));
        settings.CustomIndex = LoadPresets(profile, settings.Presets);
        dialog = std::make_unique<CMainDlg>(settings, resources, profile, nullptr, nullptr);
        ASSERT_NE(dialog->CreateModeless(nullptr), nullptr);
        dialog->PumpPendingMessages();
    }

    // Pixel-sized parts against their size at 96 DPI, each to grow like the dialog units.
    void ExpectPixelPartsGrowLikeDialogUnits() const {
        const HWND window = dialog->hwnd();
        const HWND files = dialog->Item(IDC_FILE_LIST);
        const HWND summary = dialog->Item(IDC_RUN_SUMMARY);
        RECT client{};
        GetClientRect(window, &client);
        MINMAXINFO limits{};
        SendMessageW(window, WM_GETMINMAXINFO, 0, reinterpret_cast<LPARAM>(&limits));
        const HIMAGELIST toolbar_images = reinterpret_cast<HIMAGELIST>(
            SendMessageW(dialog->FolderToolbar(), TB_GETIMAGELIST, 0, 0));
        const struct {
            const char* part;
            int pixels;
            int at96;
        } kParts[] = {
            {"Name column", ListView_GetColumnWidth(files, 0), 160},
            {"Ext column", ListView_GetColumnWidth(files, 1), 40},
            {"Size column", ListView_GetColumnWidth(files, 2), 72},
            {"Modified column", ListView_GetColumnWidth(files, 3), 125},
            {"Status column", ListView_GetColumnWidth(files, 5), 60},
            {"toolbar band", RectIn(window, files).top, 40},
            {"right margin", client.right - RectIn(window, files).right, 10},
            {"bottom margin", client.bottom - RectIn(window, summary).bottom, 52},
            {"summary gap", RectIn(window, summary).top - RectIn(window, files).bottom, 4},
            {"minimum width", limits.ptMinTrackSize.x, 640},
            {"state images", ImageWidth(ListView_GetImageList(files, LVSIL_STATE)), 16},
            {"toolbar images", ImageWidth(toolbar_images), 20},
            {"file icons", ImageWidth(ListView_GetImageList(files, LVSIL_SMALL)), 16},
        };
        const double growth = DialogUnitGrowth(window);
        for (const auto& part : kParts) {
            EXPECT_NEAR(static_cast<double>(part.pixels) / part.at96, growth, 0.15)
                << part.part << ": " << part.pixels << " px";
        }
    }

    void ExpectNoControlOverlaps() const {
        const HWND window = dialog->hwnd();
        const HWND group = dialog->Item(IDC_OPTIONS_GROUP);
        const RECT group_rect = RectIn(window, group);
        std::vector<std::pair<int, RECT>> placed;
        for (HWND child = GetWindow(window, GW_CHILD); child != nullptr;
             child = GetWindow(child, GW_HWNDNEXT)) {
            if (!IsWindowVisible(child) || child == group) {
                continue;
            }
            const RECT rect = RectIn(window, child);
            const int id = GetDlgCtrlID(child);
            if (IsInOptionsGroup(id)) {
                RECT inside{};
                UnionRect(&inside, &group_rect, &rect);
                EXPECT_TRUE(EqualRect(&inside, &group_rect)) << id << " leaves the Options group";
            }
            for (const auto& [other_id, other] : placed) {
                RECT common{};
                EXPECT_FALSE(IntersectRect(&common, &rect, &other))
                    << id << " overlaps " << other_id;
            }
            placed.emplace_back(id, rect);
        }
        EXPECT_GT(placed.size(), 20u);
    }

    CUiResources resources;
    MemoryRegistryProfile profile;
    AppSettings settings;
    std::unique_ptr<CMainDlg> dialog;
};

TEST_F(MainWindowDpi, AtTheScreenDpiPixelPartsGrowLikeDialogUnitsAndNothingOverlaps) {
    // The script that starts this at another DPI names the DPI it set.
    if (const char* expected = std::getenv("VANTREL_EXPECT_DPI"); expected != nullptr) {
        ASSERT_EQ(dialog->Dpi(), std::atoi(expected));
    }
    ExpectPixelPartsGrowLikeDialogUnits();
    ExpectNoControlOverlaps();
}

TEST_F(MainWindowDpi, MovingToAMonitorWithHalfAgainTheDpiScalesEverything) {
    const HWND window = dialog->hwnd();
    const HWND files = dialog->Item(IDC_FILE_LIST);
    const int dpi = dialog->Dpi();
    const int next = dpi * 3 / 2;
    // Small enough that the grown window still fits the screen (the system keeps a window
    // within its maximum tracking size).
    SetWindowPos(window, nullptr, 0, 0, 800, 560, SWP_NOZORDER | SWP_NOACTIVATE);
    const int name_width = ListView_GetColumnWidth(files, 0);
    ListView_SetColumnWidth(files, 1, 55);  // widths the user set are scaled too
    const RECT suggested{0, 0, 1200, 840};

    SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(next, next),
                 reinterpret_cast<LPARAM>(&suggested));
    dialog->PumpPendingMessages();

    EXPECT_EQ(dialog->Dpi(), next);
    RECT now{};
    GetWindowRect(window, &now);
    EXPECT_TRUE(EqualRect(&now, &suggested));
    EXPECT_EQ(ListView_GetColumnWidth(files, 0), RescaleForDpi(name_width, dpi, next));
    EXPECT_EQ(ListView_GetColumnWidth(files, 1), RescaleForDpi(55, dpi, next));
    EXPECT_EQ(ImageWidth(ListView_GetImageList(files, LVSIL_STATE)), ScaleForDpi(16, next));
    RECT client{};
    GetClientRect(window, &client);
    EXPECT_EQ(client.right - RectIn(window, files).right, ScaleForDpi(10, next));
    EXPECT_EQ(RectIn(window, files).top, ScaleForDpi(40, next));
    ExpectNoControlOverlaps();
}

}  // namespace
}  // namespace vantrel
