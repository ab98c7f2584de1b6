#pragma once
#include <windows.h>

// What the timer list does beyond the list view: its Description column
// takes the room the others leave, a cut cell shows its text in a tip, and
// an empty list says how to add a timer. One window procedure of the
// program's own serves all three and hands every message on to the list
// view's: the list passes a few thousand messages a tick, and Wine's
// subclassing (SetWindowSubclass) looks its chain up in the window's
// properties for each one, which cost about 0.2 s a tick for each.
void makeTimerListWindow(HWND listView, int fillColumn, const char* emptyHint);
