// Start-up: one instance only, accelerators in force, then the main window's
// own modal dialog loop runs the program.
#include <windows.h>
#include <commctrl.h>

#include "app/accelerators.h"
#include "app/app_state.h"
#include "app/main_window.h"
#include "platform/code_page.h"
#include "res/resource.h"

namespace {
// A running instance is any top-level window captioned with the title.
bool activateRunningInstance(const char* title) {
    HWND running = FindWindowA(nullptr, title);
    if (!running) return false;
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
    return true;
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static AppState app;
    LoadStringA(instance, IDS_APP_TITLE, app.title, 100);
    if (activateRunningInstance(app.title)) return 0;

    useActiveCodePageForFields();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);

    app.hInstance = instance;
    installAcceleratorHook(app);
    DialogBoxParamA(instance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, reinterpret_cast<LPARAM>(&app));
    removeAcceleratorHook();
    return 0;
}
