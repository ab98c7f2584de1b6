#pragma once
#include <windows.h>

// One picture drawn for a few display scales: bitmap resources in
// ascending order of the DPI each was drawn for, and its size at 96 DPI.
struct PictureRenditions {
    const int* bitmapIds;
    const int* drawnForDpi;
    int count;
    SIZE sizeAt96;
};

// The picture at `dpi`: the rendition drawn for that DPI as it is, so that
// every pixel shows as drawn, or else the next larger one shrunk to the size
// of that DPI (above the largest, the largest enlarged). The caller deletes
// the bitmap.
HBITMAP loadPictureForDpi(HINSTANCE resources, const PictureRenditions& picture, int dpi);
