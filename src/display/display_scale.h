#pragma once

// Lengths for displays of every scale. The program's pixel sizes (column
// widths, the clock's font, icon and logo sizes) are given for 96 DPI, the
// scale of 100 %, and carried to the DPI of the window that shows them.
constexpr int baseDpi = 96;

// A length measured at one DPI, at another: rounded to the nearest pixel,
// halves away from zero, as the platform's MulDiv rounds.
int rescaleLength(int length, int fromDpi, int toDpi);

// A length given for 96 DPI, at `dpi`.
inline int scaleForDpi(int length, int dpi) { return rescaleLength(length, baseDpi, dpi); }

// Of pictures drawn for a few DPIs (`renditionDpis`, in ascending order),
// the one to show at `dpi`: the smallest drawn for at least that DPI, so a
// picture is only ever shrunk, or the largest when none is. Returns its
// index; `count` is at least 1.
int pickRendition(int dpi, const int* renditionDpis, int count);
