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

TEST(ShellExtCommandsTest, RegisterServerParametersQuoteThePath) {
    EXPECT_EQ(RegisterServerParameters(L"C:\\Apps\\Tool\\VantrelShell.dll", false),
              L"/s \"C:\\Apps\\Tool\\VantrelShell.dll\"");
    EXPECT_EQ(RegisterServerParameters(L"C:\\Apps\\Tool\\VantrelShell.dll", true),
              L"/u /s \"C:\\Apps\\Tool\\VantrelShell.dll\"");
    EXPECT_EQ(RegisterServerParameters(L"C:\\With Space\\VantrelShell.dll", false),
              L"/s \"C:\\With Space\\VantrelShell.dll\"");
}

}  // namespace
}  // namespace vantrel
