#include "platform/list_column_fit.h"

#include <commctrl.h>

namespace {
HWND headerOf(HWND listView) { return reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0)); }

int columnCount(HWND listView) { return static_cast<int>(SendMessageA(headerOf(listView), HDM_GETITEMCOUNT, 0, 0)); }

int columnWidth(HWND listView, int column) {
    return static_cast<int>(SendMessageA(listView, LVM_GETCOLUMNWIDTH, column, 0));
}

void setColumnWidth(HWND listView, int column, int width) {
    if (columnWidth(listView, column) != width) {
        SendMessageA(listView, LVM_SETCOLUMNWIDTH, column, MAKELPARAM(width, 0));
    }
}

int textWidth(HWND window, HFONT font, const char* text) {
    HDC dc = GetDC(window);
    if (!dc) return 0;
    HGDIOBJ previous = font ? SelectObject(dc, font) : nullptr;
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    if (previous) SelectObject(dc, previous);
    ReleaseDC(window, dc);
    return size.cx;
}
}  // namespace

int columnTextMargin(HWND listView) {
    return static_cast<int>(SendMessageA(headerOf(listView), HDM_GETBITMAPMARGIN, 0, 0));
}

int headerTextWidth(HWND listView, int column) {
    HWND header = headerOf(listView);
    char text[256] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    if (!SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item))) return 0;
    const auto font = reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0));
    return textWidth(header, font, text) + 2 * columnTextMargin(listView);
}

void fitColumnsToHeaders(HWND listView, int fillColumn) {
    const int columns = columnCount(listView);
    for (int column = 0; column < columns; ++column) {
        const int width = columnWidth(listView, column);
        if (column == fillColumn || width == 0) continue;
        const int needed = headerTextWidth(listView, column);
        if (width < needed) setColumnWidth(listView, column, needed);
    }
    fillWithColumn(listView, fillColumn);
}

void fillWithColumn(HWND listView, int fillColumn) {
    RECT client = {};
    GetClientRect(listView, &client);
    int rest = client.right - client.left;
    const int columns = columnCount(listView);
    for (int column = 0; column < columns; ++column) {
        if (column != fillColumn) rest -= columnWidth(listView, column);
    }
    const int least = headerTextWidth(listView, fillColumn);
    setColumnWidth(listView, fillColumn, rest > least ? rest : least);
}

namespace {
// A width the user dragged, or the program set, in another column than the
// filling one; the filling one's own width is the user's to drag.
bool otherColumnResized(HWND listView, LPARAM lParam, int fillColumn) {
    const auto& note = *reinterpret_cast<const NMHEADERA*>(lParam);
    return note.hdr.hwndFrom == headerOf(listView) &&
           (note.hdr.code == HDN_ITEMCHANGEDA || note.hdr.code == HDN_ITEMCHANGEDW) && note.iItem != fillColumn &&
           note.pitem && (note.pitem->mask & HDI_WIDTH);
}

}  // namespace

void columnsFollowList(HWND listView, UINT message, LPARAM lParam, int fillColumn) {
    switch (message) {
        case WM_SIZE:
            fillWithColumn(listView, fillColumn);
            break;
        case WM_NOTIFY:  // from the header, the list's own child
            if (otherColumnResized(listView, lParam, fillColumn)) {
                fillWithColumn(listView, fillColumn);
            }
            break;
        case WM_SETFONT:  // the list hands its font on to the header
            fitColumnsToHeaders(listView, fillColumn);
            break;
    }
}
