#pragma once
#include <windows.h>

// The timer list's pixel sizes at a display scale.

// Gives the list its state icons (images 0, 1 and 2: running, paused,
// finished) at the small-icon size of `dpi`; the images of an earlier DPI
// are released.
void setStateImages(HWND listView, HINSTANCE resources, int dpi);

// Carries every column's width from one DPI to the other, so that widths
// the user dragged keep their proportion and hidden columns stay hidden.
void rescaleColumnWidths(HWND listView, int fromDpi, int toDpi);
