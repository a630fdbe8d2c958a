#include "shellext/launch_parameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace vantrel::shell {
namespace {

struct LaunchCase {
    unsigned preset;
    std::vector<std::wstring> folders;
    const wchar_t* expected;
};

TEST(LaunchParametersTest, ShapesOfTheParameterText) {
    const LaunchCase cases[] = {
        {3, {L"C:\\x", L"D:\\y z"}, L" -clean -preset 3 \"C:\\x\" \"D:\\y z\" -ac"},
        {0, {L"C:\\x", L"D:\\y z"}, L" \"C:\\x\" \"D:\\y z\""},
        {11, {L"C:\\proj"}, L" -clean -preset 11 \"C:\\proj\" -ac"},
        {1, {L"C:\\proj"}, L" -clean -preset 1 \"C:\\proj\" -ac"},
        {123456, {}, L" -clean -preset 123456 -ac"},
        {0, {}, L""},
        // A trailing backslash would escape the closing quotation mark: it is doubled.
        {1, {L"C:\\"}, L" -clean -preset 1 \"C:\\\\\" -ac"},
        {0, {L"\\\\server\\share\\"}, L" \"\\\\server\\share\\\\\""},
        {0, {L"C:\\a\\\\"}, L" \"C:\\a\\\\\\\\\""},
        // Backslashes inside a path are left alone.
        {0, {L"C:\\a\\b"}, L" \"C:\\a\\b\""},
        // Names ending in a dot or a blank go as they are: the program makes them absolute.
        {0, {L"C:\\x.", L"D:\\y "}, L" \"C:\\x.\" \"D:\\y \""},
        {2, {L"C:\\", L"D:\\x"}, L" -clean -preset 2 \"C:\\\\\" \"D:\\x\" -ac"},
        // A quotation mark or a control character could add options: that folder is dropped.
        {1, {L"C:\\x\" -preset 9 \"C:\\", L"D:\\y"}, L" -clean -preset 1 \"D:\\y\" -ac"},
        {0, {L"C:\\a\nb", L"C:\\t\tab", L"C:\\d\x7F", L"C:\\ok"}, L" \"C:\\ok\""},
    };
    for (const LaunchCase& c : cases) {
        const auto text = BuildLaunchParameters(c.preset, c.folders);
        ASSERT_TRUE(text.has_value()) << c.expected;
        EXPECT_EQ(*text, c.expected);
    }
}

TEST(LaunchParametersTest, NothingIsLaunchedWhenEveryFolderIsDropped) {
    EXPECT_FALSE(BuildLaunchParameters(3, {L"C:\\x\" -s \"D:\\"}));
    EXPECT_FALSE(BuildLaunchParameters(0, {L"C:\\x\r"}));
}

TEST(LaunchParametersTest, RefusesRatherThanTruncatesAtTheLimit) {
    // " \"" + path + "\"" is the path plus 3 characters.
    EXPECT_TRUE(BuildLaunchParameters(0, {std::wstring(kMaxParameterLength - 3, L'a')}));
    EXPECT_FALSE(BuildLaunchParameters(0, {std::wstring(kMaxParameterLength - 2, L'a')}));
    // The doubled trailing backslash counts.
    EXPECT_FALSE(BuildLaunchParameters(0, {std::wstring(kMaxParameterLength - 4, L'a') + L"\\"}));
    // " -clean -preset 1" (17) and " -ac" (4) count too.
    EXPECT_TRUE(BuildLaunchParameters(1, {std::wstring(kMaxParameterLength - 24, L'a')}));
    EXPECT_FALSE(BuildLaunchParameters(1, {std::wstring(kMaxParameterLength - 23, L'a')}));

    const std::vector<std::wstring> many(3000, L"C:\\some folder\\with a long name");
    EXPECT_FALSE(BuildLaunchParameters(0, many));
    EXPECT_TRUE(
        BuildLaunchParameters(0, std::vector<std::wstring>(many.begin(), many.begin() + 1800)));
}

}  // namespace
}  // namespace vantrel::shell
