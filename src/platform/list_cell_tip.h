#pragma once
#include <windows.h>

// A report list's cell whose column cuts its text shows the whole text in a
// tip just below the cell while the mouse rests on it. The list view's own
// tips cover only the first column, so the list gets a tip of its own; a
// cell whose text fits shows none. The list's window procedure hands it
// what it needs to see.
struct CellTip;
CellTip* makeCutCellTip(HWND listView);
// Before the list's own handling; true for a message of the tip's own (its
// timer), which the list must not see.
bool cellTipSees(CellTip& tip, HWND listView, UINT message, WPARAM wParam, LPARAM lParam);
void destroyCutCellTip(CellTip* tip, HWND listView);
