#include "app/clock_font.h"

#include <cstring>

#include "display/display_scale.h"
#include "platform/dpi.h"
#include "res/resource.h"

namespace {
const char requestedFace[] = "Quartzel mono";
const char carriedFace[] = "DSEG14 Classic";  // has letters too, for "AM"/"PM"
constexpr int fullHeightAt96 = 80;
constexpr int edgeClearanceAt96 = 4;  // on each side of the text

// Kept while the clock shows them; made again for another DPI.
const char* face = nullptr;
HFONT fullFont = nullptr;
int fullHeight = fullHeightAt96;
int edgeClearance = edgeClearanceAt96;
HFONT smallerFont = nullptr;
int smallerHeight = 0;

HFONT createFace(const char* name, int height) {
    return CreateFontA(height, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                       CLIP_DEFAULT_PRECIS, ANTIALIASED_QUALITY, DEFAULT_PITCH | FF_DONTCARE, name);
}

// The system hands out a substitute for a face it does not have; the face
// name a DC reports tells which one was really chosen.
bool fontHasFace(HFONT font, const char* name) {
    HDC dc = GetDC(nullptr);
    HGDIOBJ old = SelectObject(dc, font);
    char actual[LF_FACESIZE] = {};
    GetTextFaceA(dc, sizeof actual, actual);
    SelectObject(dc, old);
    ReleaseDC(nullptr, dc);
    return _stricmp(actual, name) == 0;
}

void registerCarriedFont(HINSTANCE resources) {
    HRSRC found = FindResourceA(resources, MAKEINTRESOURCEA(IDR_CLOCK_FONT), MAKEINTRESOURCEA(10) /* RT_RCDATA */);
    if (!found) return;
    HGLOBAL loaded = LoadResource(resources, found);
    void* data = loaded ? LockResource(loaded) : nullptr;
    DWORD installed = 0;
    if (data) AddFontMemResourceEx(data, SizeofResource(resources, found), nullptr, &installed);
}

// Decided once, so the carried face is registered at most once.
const char* chooseFace(HINSTANCE resources) {
    if (face) return face;
    HFONT probe = createFace(requestedFace, fullHeightAt96);
    const bool requestedIsThere = probe && fontHasFace(probe, requestedFace);
    if (probe) DeleteObject(probe);
    if (!requestedIsThere) registerCarriedFont(resources);
    face = requestedIsThere ? requestedFace : carriedFace;
    return face;
}

void releaseSmallerFont() {
    if (smallerFont) DeleteObject(smallerFont);
    smallerFont = nullptr;
    smallerHeight = 0;
}
}  // namespace

void setClockFont(HWND clock, HINSTANCE resources, int dpi) {
    const int height = scaleForDpi(fullHeightAt96, dpi);
    HFONT font = createFace(chooseFace(resources), height);
    if (!font) return;
    keepOwnFontOnDpiChange(clock);
    SendMessageA(clock, WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
    // Only now that the clock shows neither of them.
    releaseSmallerFont();
    if (fullFont) DeleteObject(fullFont);
    fullFont = font;
    fullHeight = height;
    edgeClearance = scaleForDpi(edgeClearanceAt96, dpi);
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
    HFONT font = createFace(face, height);
    if (!font) return fullFont;
    releaseSmallerFont();
    smallerFont = font;
    smallerHeight = height;
    return font;
}
}  // namespace

void fitClockFont(HWND clock, const char* text) {
    if (!fullFont) return;
    RECT box;
    GetClientRect(clock, &box);
    const int room = box.right - box.left - 2 * edgeClearance;
    const int needed = textWidth(clock, fullFont, text);
    HFONT wanted = fullFont;
    if (needed > room && room > 0) wanted = smallerFontOfHeight(fullHeight * room / needed);
    if (reinterpret_cast<HFONT>(SendMessageA(clock, WM_GETFONT, 0, 0)) != wanted) {
        SendMessageA(clock, WM_SETFONT, reinterpret_cast<WPARAM>(wanted), TRUE);
    }
}
