#include "config/shell_ext_commands.h"

#include <gtest/gtest.h>

namespace vantrel {
namespace {

TEST(ShellExtCommandsTest, LibraryPathInTheApplicationFolder) {
    const struct {
        const wchar_t* folder;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Apps\\Tool", L"C:\\Apps\\Tool\\VantrelShell.dll"},
        {L"C:\\", L"C:\\VantrelShell.dll"},
        {L"\\\\server\\share\\Vantrel", L"\\\\server\\share\\Vantrel\\VantrelShell.dll"},
        {L"C:\\Program Files (x86)\\Vantrel",
         L"C:\\Program Files (x86)\\Vantrel\\VantrelShell.dll"},
        // No folder means no library: never the current drive's root.
        {L"", L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShellExtLibraryPath(c.folder), c.expected) << c.folder;
    }
}

TEST(ShellExtCommandsTest, RegistersPerUserWithTheSixtyFourBitRegsvr32) {
    EXPECT_EQ(RegisterServerParameters(L"C:\\With Space\\VantrelShell.dll", false),
              L"/s /n /i:user \"C:\\With Space\\VantrelShell.dll\"");
    EXPECT_EQ(RegisterServerParameters(L"C:\\Apps\\VantrelShell.dll", true),
              L"/s /u /n /i:user \"C:\\Apps\\VantrelShell.dll\"");
    const struct {
        const wchar_t* windows;
        bool wow64;
        const wchar_t* expected;
    } cases[] = {
        {L"C:\\Windows", false, L"C:\\Windows\\System32\\regsvr32.exe"},
        {L"C:\\Windows", true, L"C:\\Windows\\Sysnative\\regsvr32.exe"},
        {L"D:\\", true, L"D:\\Sysnative\\regsvr32.exe"},
        {L"", false, L""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(RegisterServerProgram(c.windows, c.wow64), c.expected) << c.wow64;
    }
}

}  // namespace
}  // namespace vantrel
