#pragma once
#include <windows.h>

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
};
