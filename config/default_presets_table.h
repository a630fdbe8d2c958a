#pragma once

// The built-in presets as plain data. Header-only and free of other project code so that
// both Vantrel.exe and VantrelShell.dll compile in the same table.

#include <cstdint>

namespace vantrel {

struct DefaultPresetRow {
    const wchar_t* name;
    const wchar_t* filter;
    uint32_t flags;
};

inline constexpr DefaultPresetRow kDefaultPresetRows[] = {
    {L"Delete Visual C++ intermediate files",
     L"*.aps;*.idb;*.ilk;*.ncb;*.obj;*.opt;*.pch;*.pdb;*.res;*.plg", 0x301},
    {L"Delete GCC intermediate files", L"*.o;*.d", 0x301},
    {L"Delete Python intermediate files", L"*.pyo;*.pyc", 0x301},
    {L"Delete FrontPage intermediate folders", L"_vti_cnf;_vti_pvt", 0x302},
    {L"Delete SVN intermediate folders", L".svn", 0x302},
    {L"Delete Git intermediate folders", L".git", 0x302},
    {L"Delete Hg intermediate folders", L".hg", 0x302},
    {L"Delete CVS intermediate folders", L"CVS", 0x302},
    {L"Delete empty subfolders", L"*", 0x320},
    {L"Delete empty files", L"*", 0x310},
    {L"Empty folder (delete all files and subfolders)", L"*", 0x203},
};

inline constexpr int kDefaultPresetCount =
    static_cast<int>(sizeof(kDefaultPresetRows) / sizeof(kDefaultPresetRows[0]));

// The product's registry key below HKEY_CURRENT_USER, shared by both deliverables.
inline constexpr const wchar_t* kApplicationKey = L"Software\\Zephrane\\Vantrel";

}  // namespace vantrel
