#include "app/clock_font.h"

#include <cstring>

#include "res/resource.h"

namespace {
const char requestedFace[] = "Quartzel mono";
const char carriedFace[] = "DSEG14 Classic";  // has letters too, for "AM"/"PM"
constexpr int fullHeight = 80;

// Created once and kept for the life of the process, like the full size.
HFONT fullFont = nullptr;
HFONT smallerFont = nullptr;
int smallerHeight = 0;

HFONT createFace(const char* face, int height = fullHeight) {
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, face);
}

// The system hands out a substitute for a face it does not have; the face
// name a DC reports tells which one was really chosen.
bool fontHasFace(HFONT font, const char* face) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char actual[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof actual, actual);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return _stricmp(actual, face) == 0;
}

void registerCarriedFont(HINSTANCE resources) {
    HRSRC found = FindResourceA(resources, MAKEINTRESOURCEA(IDR_CLOCK_FONT), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return;
    HGLOBAL loaded = LoadResource(resources, found);
    void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD installed = 0;
    if (data) AddFontMemResourceEx(data, SizeofResource(resources, found), nullptr, &installed);
}
}  // namespace

HFONT createClockFont(HINSTANCE resources) {
    HFONT font = createFace(requestedFace);
    if (!font || !fontHasFace(font, requestedFace)) {
        if (font) DeleteObject(font);
        registerCarriedFont(resources);
        font = createFace(carriedFace);
    }
    fullFont = font;
    return font;
}

namespace {
int textWidth(HWND clock, HFONT font, const char* text) {
    HDC dc = GetDC(clock);
    HGDIOBJ old = SelectObject(dc, font);
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, old);
    ReleaseDC(clock, dc);
    return size.cx;
}

HFONT smallerFontOfHeight(int height) {
    if (smallerFont && smallerHeight == height) return smallerFont;
    LOGFONTA face = {};
    GetObjectA(fullFont, sizeof face, &face);
    HFONT font = createFace(face.lfFaceName, height);
    if (!font) return fullFont;
    if (smallerFont) DeleteObject(smallerFont);
    smallerFont = font;
    smallerHeight = height;
    return font;
}
}  // namespace

void fitClockFont(HWND clock, const char* text) {
    if (!fullFont) return;
    RECT box;
    GetClientRect(clock, &box);
    const int room = box.right - box.left - 8;  // keep clear of the edge
    const int needed = textWidth(clock, fullFont, text);
    HFONT wanted = fullFont;
    if (needed > room && room > 0) wanted = smallerFontOfHeight(fullHeight * room / needed);
    if (reinterpret_cast<HFONT>(SendMessageA(clock, WM_GETFONT, 0, 0)) != wanted) {
        SendMessageA(clock, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
    }
}
