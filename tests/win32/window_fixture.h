#pragma once
#include <windows.h>

#include <string>

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

// The width a column needs to show its header whole, measured here: the
// header's text in the list's font (which it hands on to the header), and
// the header's margin on either side.
int headerFit(HWND listView, int column);

// What is wrong with the timer list's shown columns: each of the first four
// should be as wide as given or as its header needs, whichever is more, and
// the description should fill the rest of the client width, leaving no
// room for a horizontal scroll bar. Empty when all is right.
std::string columnFitProblem(HWND listView, const int (&givenWidths)[4]);
