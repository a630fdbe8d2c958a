#pragma once

#include <windows.h>
#include <shtypes.h>

#include <string>

namespace vantrel {

// The shell's folder browser, opened at an initial folder, showing the selected folder's
// path as its status text. Only file-system folders can be confirmed.
class CFolderPicker {
  public:
    // The flags always included: BIF_RETURNONLYFSDIRS | BIF_NEWDIALOGSTYLE |
    // BIF_BROWSEINCLUDEURLS.
    static constexpr UINT kBaseFlags = 0xC1;

    CFolderPicker(HWND owner, std::wstring title, UINT flags, std::wstring initial_folder)
        : owner_(owner),
          title_(std::move(title)),
          flags_(flags | kBaseFlags),
          initial_folder_(std::move(initial_folder)) {}

    // 1 when a folder was chosen (Result), 2 when cancelled or nothing usable was chosen.
    int Run();
    const std::wstring& Result() const { return result_; }
    UINT Flags() const { return flags_; }

  private:
    static int CALLBACK Callback(HWND dialog, UINT message, LPARAM lparam, LPARAM data);

    HWND owner_;
    std::wstring title_;
    UINT flags_;
    std::wstring initial_folder_;
    std::wstring result_;
};

// The file-system path of a shell item, whole (never cut to a fixed buffer); empty when the
// item has none.
std::wstring PathOfItem(PCIDLIST_ABSOLUTE item);

}  // namespace vantrel
