#pragma once
#include <windows.h>

// An empty list shows a line of help inside it, such as how to fill it, in
// the list's own font and in grey; it goes as soon as the list has a row.
// The list's window procedure asks, before a message that adds or removes
// rows, whether the list was empty, and hands every message over after its
// own handling.
bool emptyBeforeRowsChange(HWND listView, UINT message);
void hintFollowsList(HWND listView, UINT message, WPARAM wParam, bool wasEmpty, const char* hint);
