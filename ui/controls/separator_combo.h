#pragma once

#include <windows.h>

#include <vector>

namespace vantrel {

class CUiResources;

// The owner-drawn preset combo (CBS_OWNERDRAWFIXED | CBS_HASSTRINGS). An item's text is
// drawn as a left part and, in the `right_width` pixels at the right, a right part (split
// at a tab, see SplitComboItemText); separator items get a line below them in the list.
class CSeparatorComboBox {
  public:
    CSeparatorComboBox();

    void Attach(HWND combo, const CUiResources* resources);
    HWND hwnd() const { return combo_; }

    void AddSeparator(int index) { separators_.push_back(index); }
    void RemoveAllSeparators() { separators_.clear(); }
    bool IsSeparator(int index) const;

    // The drawing of one item; the owner forwards its WM_DRAWITEM for this control.
    void DrawItem(const DRAWITEMSTRUCT& item) const;

    int right_width = 64;  // at 96 DPI; drawn at the combo's DPI
    COLORREF right_colour;
    bool right_aligned = false;
    bool right_hidden_in_edit = false;

  private:
    HWND combo_ = nullptr;
    const CUiResources* resources_ = nullptr;
    std::vector<int> separators_;
};

}  // namespace vantrel
