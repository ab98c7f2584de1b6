#include "platform/list_empty_hint.h"

#include <commctrl.h>


#include "display/display_scale.h"
#include "platform/dpi.h"

namespace {
// Room around the hint, at 96 DPI: it keeps clear of the header and of the
// list's sides.
constexpr int hintMargin = 12;

int rowCount(HWND listView) { return static_cast<int>(SendMessageA(listView, LVM_GETITEMCOUNT, 0, 0)); }

COLORREF background(HWND listView) {
    const auto colour = static_cast<COLORREF>(SendMessageA(listView, LVM_GETBKCOLOR, 0, 0));
    return colour == CLR_NONE ? GetSysColor(COLOR_WINDOW) : colour;
}

// Centred below the header, on a patch of the list's background that hides
// the grid lines behind it.
void drawHint(HWND listView, HDC dc, const char* hint) {
    RECT area;
    GetClientRect(listView, &area);
    RECT header = {};
    GetWindowRect(reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0)), &header);
    const int margin = scaleForDpi(hintMargin, windowDpi(listView));
    InflateRect(&area, -margin, 0);
    area.top += header.bottom - header.top + 2 * margin;  // clear of where the first row will be
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(listView, WM_GETFONT, 0, 0)));
    const UINT format = DT_CENTER | DT_WORDBREAK | DT_NOPREFIX;
    RECT text = area;
    DrawTextA(dc, hint, -1, &text, format | DT_CALCRECT);
    OffsetRect(&text, ((area.right - area.left) - (text.right - text.left)) / 2, 0);
    InflateRect(&text, margin / 2, margin / 4);
    HBRUSH patch = CreateSolidBrush(background(listView));
    FillRect(dc, &text, patch);
    DeleteObject(patch);
    SetTextColor(dc, GetSysColor(COLOR_GRAYTEXT));
    SetBkMode(dc, TRANSPARENT);
    DrawTextA(dc, hint, -1, &area, format);
    SelectObject(dc, previous);
}

// Over what the list painted: an empty list paints only its background.
void paintHint(HWND listView, WPARAM givenDc, const char* hint) {
    if (givenDc) {
        drawHint(listView, reinterpret_cast<HDC>(givenDc), hint);
        return;
    }
    HDC dc = GetDC(listView);
    if (!dc) return;
    drawHint(listView, dc, hint);
    ReleaseDC(listView, dc);
}

bool changesRows(UINT message) {
    return message == LVM_INSERTITEMA || message == LVM_INSERTITEMW || message == LVM_DELETEITEM ||
           message == LVM_DELETEALLITEMS;
}

}  // namespace

bool emptyBeforeRowsChange(HWND listView, UINT message) { return changesRows(message) && rowCount(listView) == 0; }

void hintFollowsList(HWND listView, UINT message, WPARAM wParam, bool wasEmpty, const char* hint) {
    if (message == WM_PAINT && rowCount(listView) == 0) {
        paintHint(listView, wParam, hint);
    } else if (changesRows(message) && wasEmpty != (rowCount(listView) == 0)) {
        // The list repaints only the rows it changed; the hint lies below them.
        InvalidateRect(listView, nullptr, TRUE);
    } else if (message == WM_SIZE && rowCount(listView) == 0) {
        InvalidateRect(listView, nullptr, TRUE);  // centred anew
    }
}
