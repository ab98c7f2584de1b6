#include "row_frames.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <map>

namespace {
// Pixels whose colour stands this far from a row's background are ink.
constexpr int inkDistance = 150;
// Fewer ink pixels than this and the row shows no text: "0" alone has more.
constexpr int leastInk = 12;

struct Grab {
    RECT area;
    int width, height;
    std::vector<unsigned> pixels;  // 0x00RRGGBB, top row first
};

RECT unionOf(const std::vector<RECT>& rows) {
    RECT all = rows.front();
    for (const RECT& r : rows) UnionRect(&all, &all, &r);
    return all;
}

bool grabScreen(Grab& grab) {
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof info.bmiHeader;
    info.bmiHeader.biWidth = grab.width;
    info.bmiHeader.biHeight = -grab.height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool ok = bitmap && BitBlt(memory, 0, 0, grab.width, grab.height, screen, grab.area.left, grab.area.top, SRCCOPY);
    if (ok) {
        const unsigned* source = static_cast<const unsigned*>(bits);
        grab.pixels.assign(source, source + static_cast<std::size_t>(grab.width) * grab.height);
    }
    SelectObject(memory, old);
    if (bitmap) DeleteObject(bitmap);
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return ok;
}

int distance(unsigned a, unsigned b) {
    int d = 0;
    for (int shift = 0; shift < 24; shift += 8) d += std::abs(static_cast<int>((a >> shift) & 0xFF) - static_cast<int>((b >> shift) & 0xFF));
    return d;
}

// The ink of one row, leaving out its edges (the grid lines).
int inkOf(const Grab& grab, const RECT& row) {
    const int left = row.left - grab.area.left + 2, right = row.right - grab.area.left - 2;
    const int top = row.top - grab.area.top + 2, bottom = row.bottom - grab.area.top - 2;
    std::map<unsigned, int> colours;
    for (int y = top; y < bottom; ++y)
        for (int x = left; x < right; ++x) ++colours[grab.pixels[static_cast<std::size_t>(y) * grab.width + x] & 0xFFFFFF];
    if (colours.empty()) return 0;
    const unsigned background =
        std::max_element(colours.begin(), colours.end(), [](auto& a, auto& b) { return a.second < b.second; })->first;
    int ink = 0;
    for (const auto& [colour, count] : colours) {
        if (distance(colour, background) > inkDistance) ink += count;
    }
    return ink;
}

void saveBitmap(const Grab& grab, const char* path) {
    BITMAPFILEHEADER file = {};
    BITMAPINFOHEADER header = {};
    header.biSize = sizeof header;
    header.biWidth = grab.width;
    header.biHeight = -grab.height;
    header.biPlanes = 1;
    header.biBitCount = 32;
    const DWORD bytes = static_cast<DWORD>(grab.pixels.size() * 4);
    file.bfType = 0x4D42;
    file.bfOffBits = sizeof file + sizeof header;
    file.bfSize = file.bfOffBits + bytes;
    if (FILE* out = std::fopen(path, "wb")) {
        std::fwrite(&file, sizeof file, 1, out);
        std::fwrite(&header, sizeof header, 1, out);
        std::fwrite(grab.pixels.data(), 1, bytes, out);
        std::fclose(out);
    }
}
}  // namespace

RowFramesReport watchRowFrames(const std::vector<RECT>& rows, double seconds, int framesPerSecond,
                               const char* worstFramePath) {
    RowFramesReport report;
    if (rows.empty()) return report;
    Grab grab;
    grab.area = unionOf(rows);
    grab.width = grab.area.right - grab.area.left;
    grab.height = grab.area.bottom - grab.area.top;
    const auto start = std::chrono::steady_clock::now();
    const auto elapsed = [&] { return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count(); };
    const double period = 1.0 / framesPerSecond;
    for (double next = 0; elapsed() < seconds; next += period) {
        const double wait = next - elapsed();
        if (wait > 0) Sleep(static_cast<DWORD>(wait * 1000));
        if (!grabScreen(grab)) continue;
        ++report.frames;
        const bool emptyRow = std::any_of(rows.begin(), rows.end(), [&](const RECT& row) { return inkOf(grab, row) < leastInk; });
        if (!emptyRow) continue;
        if (report.framesWithAnEmptyRow++ == 0) {
            report.firstEmptyAt = elapsed();
            if (worstFramePath) saveBitmap(grab, worstFramePath);
        }
    }
    report.seconds = elapsed();
    return report;
}
