#pragma once
#include <windows.h>

// Gives the big clock its font for `dpi`: the digital-clock face "Quartzel
// mono" when the system has it, else the segmented face the program carries,
// 80 pixels high at 96 DPI. Called again when the window moves to a monitor
// of another scale; the fonts of the earlier DPI are released.
void setClockFont(HWND clock, HINSTANCE resources, int dpi);

// Makes `text` fit the clock: the time of day ("12:22:26 PM") is longer than
// a timer's "00:00:00", so the clock steps down to a smaller size of the
// same face when the full size would cut the text off, and back up after.
void fitClockFont(HWND clock, const char* text);
