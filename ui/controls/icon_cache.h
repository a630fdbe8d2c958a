#pragma once

#include <windows.h>

#include <cstdint>
#include <map>
#include <string>

namespace vantrel {

// System small-icon indices of listed items, looked up once per extension (and once for all
// folders) from the name and the attributes alone (SHGFI_USEFILEATTRIBUTES): the disk is
// never asked, so a row costs no file-system call to draw. Used on the window's thread.
class CIconCache {
  public:
    int IconOf(const std::wstring& path, uint32_t attributes);

  private:
    std::map<std::wstring, int> by_extension_;
    int folder_icon_ = -2;  // -2 not looked up yet
};

// The index of `name`'s icon for an item with these attributes, -1 when the shell has none.
int IconByAttributes(const std::wstring& name, DWORD attributes);

}  // namespace vantrel
