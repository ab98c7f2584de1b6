#include "app/clock_font.h"

#include <cstring>

#include "res/resource.h"

namespace {
const char requestedFace[] = "Quartzel mono";
const char carriedFace[] = "DSEG14 Classic";  // has letters too, for "AM"/"PM"

HFONT createFace(const char* face) {
    return CreateFontA(80, 0, 0, 0, FW_DONTCARE, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
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
    if (font && fontHasFace(font, requestedFace)) return font;
    if (font) DeleteObject(font);
    registerCarriedFont(resources);
    return createFace(carriedFace);
}
