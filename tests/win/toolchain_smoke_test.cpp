#include <windows.h>

#include <gtest/gtest.h>

TEST(ToolchainSmokeTest, RunsAsWindowsProgram) {
    wchar_t path[MAX_PATH] = {};
    ASSERT_GT(GetModuleFileNameW(nullptr, path, MAX_PATH), 0u);
    EXPECT_NE(wcsstr(path, L"win_tests"), nullptr);
}
