#pragma once
#include <windows.h>

#include "app/app_state.h"

// A hidden top-level window holding a real timer list view, for tests of the
// table on the genuine control.
class ListViewWindow {
public:
    ListViewWindow();
    ~ListViewWindow();
    ListViewWindow(const ListViewWindow&) = delete;
    ListViewWindow& operator=(const ListViewWindow&) = delete;

    HWND window() const { return window_; }
    HWND list() const { return list_; }
    // The program's state as dialogs see it: this window as the main one,
    // its list as the timer list, titled "Horalet".
    AppState appState() const;

private:
    HWND window_ = nullptr;
    HWND list_ = nullptr;
};

// Dispatches whatever is waiting in this thread's queue.
void pumpMessages();
