#include <windows.h>

#include "ui/app/vantrel_app.h"

// Entry point of Vantrel.exe: everything happens in the application object's start-up,
// inside the main window's modal loop; there is no message loop here.
int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
    try {
        vantrel::CVantrelApp app(instance);
        return app.Run();
    } catch (...) {
        return 1;
    }
}
