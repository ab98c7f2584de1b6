#pragma once
#include <windows.h>

// The big clock's font: the digital-clock face "Quartzel mono" when the
// system has it, else the segmented face the program carries.
HFONT createClockFont(HINSTANCE resources);
