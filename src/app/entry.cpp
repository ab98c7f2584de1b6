// Start-up: the command line read, one instance only (a timer asked for is
// handed to it), accelerators in force, then the main window's own modal
// dialog loop runs the program.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include "app/accelerators.h"
#include "app/app_state.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/timer_command_sender.h"
#include "command/timer_command.h"
#include "platform/code_page.h"
#include "platform/command_arguments.h"
#include "platform/message_box.h"
#include "res/resource.h"

namespace {
void bringForward(HWND running) {
    if (IsIconic(running)) ShowWindow(running, SW_RESTORE);
    SetForegroundWindow(running);
}

int runProgram(AppState& app) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    // The taskbar's progress interface is a COM object; the shell's own
    // calls expect the thread in an apartment too.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    installAcceleratorHook(app);
    DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, reinterpret_cast<LPARAM>(&app));
    removeAcceleratorHook();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// No arguments: a second start brings the running window forward, and any
// window captioned with the title counts as the running one, as it always has.
int startPlainly(AppState& app) {
    SingleInstance instance(app.title);
    HWND running = instance.isFirst() ? FindWindowA(nullptr, app.title) : instance.waitForRunningWindow();
    if (running) {
        bringForward(running);
        return 0;
    }
    return runProgram(app);
}

// A timer: handed to the running instance, or, with none running, added by
// this start once it has loaded the list as usual.
int startWithTimer(AppState& app, const TimerCommand& command) {
    SingleInstance instance(app.title);
    HWND running = instance.isFirst() ? findRunningMainWindow(app.title) : instance.waitForRunningWindow();
    if (running) return sendTimerCommand(app, running, command);
    if (!instance.isFirst()) {
        showCommandRefusal(app, "Another start of the program did not open its window.");
        return 2;
    }
    app.startCommand = &command;
    return runProgram(app);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static AppState app;
    LoadStringA(instance, IDS_APP_TITLE, app.title, 100);
    app.hInstance = instance;
    useActiveCodePageForFields();  // before the reader cuts the description

    const ParsedCommand parsed = readCommandLine(commandArguments());
    switch (parsed.kind) {
        case CommandKind::Help:
            showMessage(nullptr, commandUsageText(), app.title, MB_OK);
            return 0;
        case CommandKind::Refused:
            showCommandRefusal(app, parsed.problem.c_str());
            return 2;
        case CommandKind::Timer:
            return startWithTimer(app, parsed.timer);
        case CommandKind::None:
            break;
    }
    return startPlainly(app);
}
