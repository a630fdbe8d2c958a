#include "ui/controls/separator_combo.h"

#include <string>

#include "ui/controls/ui_resources.h"
#include "ui/model/combo_item_text.h"
#include "ui/model/dpi_scaling.h"
#include "win32/dpi.h"
#include "win32/handles.h"

namespace vantrel {
namespace {

constexpr COLORREF kSeparatorColour = RGB(216, 224, 232);
constexpr COLORREF kDisabledRightColour = RGB(128, 128, 128);

std::wstring ItemText(HWND combo, UINT index) {
    const LRESULT length = SendMessageW(combo, CB_GETLBTEXTLEN, index, 0);
    if (length == CB_ERR || length < 0) {
        return {};
    }
    std::wstring text(static_cast<size_t>(length) + 1, L'\0');
    const LRESULT copied =
        SendMessageW(combo, CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
    text.resize(copied == CB_ERR || copied < 0 ? 0 : static_cast<size_t>(copied));
    return text;
}

}  // namespace

CSeparatorComboBox::CSeparatorComboBox() : right_colour(GetSysColor(COLOR_BTNSHADOW)) {}

void CSeparatorComboBox::Attach(HWND combo, const CUiResources* resources) {
    combo_ = combo;
    resources_ = resources;
}

bool CSeparatorComboBox::IsSeparator(int index) const {
    for (int separator : separators_) {
        if (separator == index) {
            return true;
        }
    }
    return false;
}

void CSeparatorComboBox::DrawItem(const DRAWITEMSTRUCT& item) const {
    HDC dc = item.hDC;
    const bool in_edit = (item.itemState & ODS_COMBOBOXEDIT) != 0;
    if (static_cast<int>(item.itemID) >= 0 &&
        (item.itemAction == ODA_DRAWENTIRE || item.itemAction == ODA_SELECT)) {
        const bool disabled = !IsWindowEnabled(item.hwndItem);
        const bool selected = (item.itemState & ODS_SELECTED) != 0;
        const bool themed = resources_ != nullptr && resources_->Themed();
        // Every pixel size below is meant for 96 DPI and follows the combo's.
        const int dpi = WindowDpi(item.hwndItem);
        auto px = [dpi](int pixels) { return ScaleForDpi(pixels, dpi); };

        const COLORREF old_text = SetTextColor(dc, GetSysColor(disabled   ? COLOR_BTNSHADOW
                                                               : selected ? COLOR_HIGHLIGHTTEXT
                                                                          : COLOR_WINDOWTEXT));
        const COLORREF old_back = GetBkColor(dc);
        const int old_mode = GetBkMode(dc);

        const int fill = disabled   ? (themed ? COLOR_WINDOW : COLOR_BTNFACE)
                         : selected ? COLOR_HIGHLIGHT
                                    : COLOR_WINDOW;
        RECT rect = item.rcItem;
        FillRect(dc, &rect, GetSysColorBrush(fill));

        if (IsSeparator(static_cast<int>(item.itemID)) && !in_edit) {
            BrushHandle line(CreateSolidBrush(kSeparatorColour));
            RECT bottom{rect.left, rect.bottom - px(1), rect.right, rect.bottom};
            FillRect(dc, &bottom, line.get());
        }

        rect.left += px(3);
        rect.right -= px(3);
        SetBkMode(dc, TRANSPARENT);

        const ComboItemParts parts = SplitComboItemText(ItemText(item.hwndItem, item.itemID));
        if (!parts.left.empty()) {
            RECT left = rect;
            if (!parts.right.empty()) {
                left.right = rect.right - px(right_width) - px(8);
            }
            DrawTextW(dc, parts.left.c_str(), static_cast<int>(parts.left.size()), &left,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | DT_END_ELLIPSIS);
        }
        if (!parts.right.empty() && !(in_edit && right_hidden_in_edit)) {
            RECT right = rect;
            right.left = rect.right - px(right_width);
            if (right_aligned) {
                right.right -= px(4);
            }
            if (disabled) {
                SetTextColor(dc, kDisabledRightColour);
            } else if (!selected) {
                SetTextColor(dc, right_colour);
            }
            DrawTextW(dc, parts.right.c_str(), static_cast<int>(parts.right.size()), &right,
                      DT_SINGLELINE | DT_VCENTER | DT_NOPREFIX | (right_aligned ? DT_RIGHT : 0));
        }
        SetBkMode(dc, old_mode);
        SetTextColor(dc, old_text);
        SetBkColor(dc, old_back);
    }
    if (item.itemAction == ODA_FOCUS || (item.itemState & ODS_FOCUS) != 0) {
        RECT focus = item.rcItem;
        DrawFocusRect(dc, &focus);
    }
}

}  // namespace vantrel
