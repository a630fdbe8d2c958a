#include <windows.h>

#include <gtest/gtest.h>

TEST(ShellDllTest, LoadsAndExportsTheFiveEntryPoints) {
    HMODULE module = LoadLibraryW(L"VantrelShell.dll");
    ASSERT_NE(module, nullptr);
    for (const char* name : {"DllGetClassObject", "DllCanUnloadNow", "DllRegisterServer",
                             "DllUnregisterServer", "DllInstall"}) {
        EXPECT_NE(GetProcAddress(module, name), nullptr) << name;
    }
    FreeLibrary(module);
}
