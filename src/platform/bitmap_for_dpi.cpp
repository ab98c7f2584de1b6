#include "platform/bitmap_for_dpi.h"

#include "display/display_scale.h"

namespace {
SIZE bitmapSize(HBITMAP bitmap) {
    BITMAP info = {};
    GetObjectA(bitmap, sizeof info, &info);
    return {info.bmWidth, info.bmHeight};
}

// Halftone averages the pixels a shrinking drops, so the edges stay smooth.
HBITMAP resizedCopy(HBITMAP source, SIZE from, SIZE to) {
    HDC screen = GetDC(nullptr);
    HDC sourceDc = CreateCompatibleDC(screen);
    HDC targetDc = CreateCompatibleDC(screen);
    HBITMAP target = CreateCompatibleBitmap(screen, to.cx, to.cy);
    HGDIOBJ oldSource = SelectObject(sourceDc, source);
    HGDIOBJ oldTarget = SelectObject(targetDc, target);
    SetStretchBltMode(targetDc, HALFTONE);
    SetBrushOrgEx(targetDc, 0, 0, nullptr);
    StretchBlt(targetDc, 0, 0, to.cx, to.cy, sourceDc, 0, 0, from.cx, from.cy, SRCCOPY);
    SelectObject(sourceDc, oldSource);
    SelectObject(targetDc, oldTarget);
    DeleteDC(sourceDc);
    DeleteDC(targetDc);
    ReleaseDC(nullptr, screen);
    return target;
}
}  // namespace

HBITMAP loadPictureForDpi(HINSTANCE resources, const PictureRenditions& picture, int dpi) {
    const int chosen = pickRendition(dpi, picture.drawnForDpi, picture.count);
    auto bitmap = static_cast<HBITMAP>(
        LoadImageA(resources, MAKEINTRESOURCEA(picture.bitmapIds[chosen]), IMAGE_BITMAP, 0, 0, 0));
    if (!bitmap) return nullptr;
    const SIZE wanted = {scaleForDpi(picture.sizeAt96.cx, dpi), scaleForDpi(picture.sizeAt96.cy, dpi)};
    const SIZE drawn = bitmapSize(bitmap);
    if (drawn.cx == wanted.cx && drawn.cy == wanted.cy) return bitmap;
    HBITMAP resized = resizedCopy(bitmap, drawn, wanted);
    DeleteObject(bitmap);
    return resized;
}
