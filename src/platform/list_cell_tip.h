#pragma once
#include <windows.h>

// A report list's cell whose column cuts its text shows the whole text in a
// tip just below the cell while the mouse rests on it. The list view's own
// tips cover only the first column, so the list gets a tip of its own; a
// cell whose text fits shows none.
void showCutCellTips(HWND listView);
