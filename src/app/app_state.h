#pragma once
#include <windows.h>

class BookKeeper;
class SoundRepeats;
class DesktopShell;
class DesktopStatus;
struct TimerCommand;

// The main window's one record, handed to every part that needs a window.
struct AppState {
    HINSTANCE hInstance = nullptr;
    HWND hwndMain = nullptr;
    HWND hwndList = nullptr;   // the timer table
    HWND hwndClock = nullptr;  // the big clock text
    char title[260] = {};      // caption of every message box
    HMENU trayMenu = nullptr;
    HMENU timerMenu = nullptr;
    int buttonsSwapped = 0;
    // A timer the command line asked for when no instance was running; the
    // main window adds it once the autosave list is loaded.
    const TimerCommand* startCommand = nullptr;
    // What the tray icon and the taskbar button show; the main window's,
    // null before it opens.
    DesktopStatus* desktop = nullptr;
    // Where the main window's tray, taskbar and flash calls go: null for the
    // shell itself; tests hand in a recorder before the window opens.
    DesktopShell* desktopShell = nullptr;
    // The books the timers' running is recorded in; the main window's.
    BookKeeper* books = nullptr;
    // The finishes whose sound repeats until the user is back; the main window's.
    SoundRepeats* repeats = nullptr;
};
