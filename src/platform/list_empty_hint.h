#pragma once
#include <windows.h>

// An empty list shows a line of help inside it, such as how to fill it, in
// the list's own font and in grey; it goes as soon as the list has a row.
void showHintWhileEmpty(HWND listView, const char* hint);
