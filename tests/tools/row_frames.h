#pragma once
#include <windows.h>

#include <vector>

// Watches rows of a list on the screen as a camera would: grabs their
// pixels many times a second and tells the frames in which a row stands
// empty, the way an erased but not yet redrawn list looks for a moment.
struct RowFramesReport {
    int frames = 0;
    double seconds = 0;
    int framesWithAnEmptyRow = 0;
    double firstEmptyAt = -1;  // seconds from the start; -1 when none
};

// `rows` are screen rectangles, one a row, each holding text in every frame
// of a list that never shows itself half drawn.
RowFramesReport watchRowFrames(const std::vector<RECT>& rows, double seconds, int framesPerSecond,
                               const char* worstFramePath);
