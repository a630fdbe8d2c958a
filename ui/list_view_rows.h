#pragma once

#include <windows.h>
#include <commctrl.h>

#include <string>

namespace vantrel {

// Small list-view operations shared by the folder list and the file list.

// The row's item data, 0 for a row out of range.
LPARAM RowParam(HWND list, int row);
int FirstSelectedRow(HWND list);
// Deletes the selected rows, always taking the first selected one again.
void DeleteSelectedRows(HWND list);
// Sets bits 12 to 15 of the row's state (its state image index).
void SetRowStateIndex(HWND list, int row, int index);
void SetRowText(HWND list, int row, int column, const wchar_t* text);
// Appends a row showing `text` with the system image `image`; its index, or -1.
int AppendIconRow(HWND list, const std::wstring& text, int image);
// Stores `record` as the row's item data. When that fails the row is deleted again, so no
// row is ever left without its record; returns false then.
bool AttachRowRecord(HWND list, int row, const void* record);
// Shows popup `popup_index` of menu 200 for `list` at the WM_CONTEXTMENU position, with
// `default_command` (0 for none) in bold; owned by `owner`, which receives the command.
void ShowListPopup(HWND owner, HWND list, LPARAM position, int popup_index, int default_command);

}  // namespace vantrel
