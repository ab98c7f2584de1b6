// Start-up: the command line read, one instance only (a timer asked for is
// handed to it), accelerators in force, then the main window's own modal
// dialog loop runs the program.
#include <windows.h>
#include <commctrl.h>
#include <objbase.h>

#include <string>

#include "app/accelerators.h"
#include "app/input_watch.h"
#include "app/app_state.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "app/timer_command_sender.h"
#include "command/timer_command.h"
#include "platform/code_page.h"
#include "platform/command_arguments.h"
#include "platform/installed_copy.h"
#include "platform/message_box.h"
#include "res/resource.h"

namespace {
// A window hidden in the notification area is shown too: a user who starts
// the program again wants its window.
int bringForward(HWND running) {
    ShowWindow(running, IsIconic(running) ? SW_RESTORE : SW_SHOW);
    SetForegroundWindow(running);
    return 0;
}

int runProgram(AppState& app) {
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    // The taskbar's progress interface is a COM object; the shell's own
    // calls expect the thread in an apartment too.
    const HRESULT com = CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED | COINIT_DISABLE_OLE1DDE);
    installAcceleratorHook(app);
    installInputWatch(app);
    DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, reinterpret_cast<LPARAM>(&app));
    removeInputWatch();
    removeAcceleratorHook();
    if (SUCCEEDED(com)) CoUninitialize();
    return 0;
}

// Every start finds the instance the same way: the one that holds the
// mutex, through its main window. A plain start brings it forward; a timer
// is handed to it. With none running this start becomes the instance, and
// adds its timer once it has loaded the list as usual.
int start(AppState& app, const TimerCommand* command) {
    SingleInstance instance(app.title);
    HWND running = instance.isFirst() ? findRunningMainWindow(app.title) : instance.waitForRunningWindow();
    if (running) return command ? sendTimerCommand(app, running, *command) : bringForward(running);
    if (!instance.isFirst()) {
        // Two instances would write the same autosave.ini over each other.
        const std::string problem = std::string(app.title) + " is already running, but its window did not open. Try again in a moment.";
        showMessage(nullptr, problem.c_str(), app.title, MB_OK | MB_ICONERROR);
        return 2;
    }
    app.startCommand = command;
    return runProgram(app);
}
}  // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int) {
    static AppState app;
    LoadStringA(instance, IDS_APP_TITLE, app.title, 100);
    app.hInstance = instance;
    enterInstalledDataFolder();  // before anything reads or writes a file
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
            return start(app, &parsed.timer);
        case CommandKind::None:
            break;
    }
    return start(app, nullptr);
}
