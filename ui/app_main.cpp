#include <windows.h>

// Entry point of Vantrel.exe.
int WINAPI wWinMain(HINSTANCE, HINSTANCE, PWSTR, int) {
    MessageBoxW(nullptr, L"Vantrel is being built: the main window is not there yet.", L"Vantrel",
                MB_OK);
    return 0;
}
