#pragma once
#include <windows.h>

// The shown main window of the horalet.exe with process id `pid`: a dialog
// captioned with the title.
inline HWND shownMainWindow(DWORD pid) {
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", "Horalet"); window;
         window = FindWindowExA(nullptr, window, "#32770", "Horalet")) {
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == pid && IsWindowVisible(window)) return window;
    }
    return nullptr;
}
