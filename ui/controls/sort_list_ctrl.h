#pragma once

#include <windows.h>
#include <commctrl.h>

#include <functional>
#include <string>
#include <utility>

#include "ui/model/compare_rules.h"

namespace vantrel {

// A report-view, owner-data list control (from a dialog template) whose column header
// clicks set the sort state, show the sort arrow of its header's image list (image 0
// ascending, 1 descending) and hand the new state to the owner's sorter.
class CSortListCtrl {
  public:
    CSortListCtrl() = default;
    ~CSortListCtrl();
    CSortListCtrl(const CSortListCtrl&) = delete;
    CSortListCtrl& operator=(const CSortListCtrl&) = delete;

    // Takes over an existing list control; its header clicks come here from then on.
    bool Attach(HWND list);
    void Detach();
    HWND hwnd() const { return list_; }

    // While `allowed` gives false a header click does nothing (the rows keep their order).
    void SetSortAllowed(std::function<bool()> allowed) { sort_allowed_ = std::move(allowed); }
    // Called with the new sort state after each allowed header click.
    void SetSorter(std::function<void(const SortState&)> sorter) { sorter_ = std::move(sorter); }
    const SortState& GetSortState() const { return sort_; }

    int RowCount() const;
    // The first selected row, -1 when none.
    int FirstSelected() const;
    int SelectedCount() const;
    // With true every row becomes selected and focused; with false every row is deselected.
    void SelectAll(bool select);
    void SetColumnText(int column, const std::wstring& text);
    // Only the given values go into the column's mask: a null text and -1 for the others
    // leave them out.
    int InsertColumn(int index, const wchar_t* text, int image = -1, int format = -1,
                     int width = -1, int subitem = -1);
    void SetCheckAll(bool check);

    // Header click on `column`: direction, arrows, sort (public for tests); nothing while
    // sorting is not allowed.
    void OnHeaderClick(int column);

  private:
    static LRESULT CALLBACK SubclassProc(HWND window, UINT message, WPARAM wparam, LPARAM lparam,
                                         UINT_PTR id, DWORD_PTR data);
    void SetHeaderArrow(int column, int image);

    HWND list_ = nullptr;
    std::function<bool()> sort_allowed_;
    std::function<void(const SortState&)> sorter_;
    SortState sort_;
};

}  // namespace vantrel
