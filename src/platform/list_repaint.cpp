#include "platform/list_repaint.h"

#include <commctrl.h>

#include "platform/wine.h"

namespace {
// What a window has waiting to be painted; null when nothing.
HRGN takeWaitingRegion(HWND window) {
    HRGN waiting = CreateRectRgn(0, 0, 0, 0);
    if (waiting && GetUpdateRgn(window, waiting, FALSE) > NULLREGION) return waiting;
    if (waiting) DeleteObject(waiting);
    return nullptr;
}

void giveBackWaitingRegion(HWND window, HRGN waiting) {
    if (!waiting) return;
    InvalidateRgn(window, waiting, TRUE);
    DeleteObject(waiting);
}
}  // namespace

ListRepaint::ListRepaint(HWND list)
    : list_(list), rowsAtStart_(static_cast<int>(SendMessageA(list, LVM_GETITEMCOUNT, 0, 0))) {
    SendMessageA(list_, WM_SETREDRAW, FALSE, 0);
}

ListRepaint::~ListRepaint() {
    // With its drawing back on, the list view invalidates all of itself; what
    // was waiting to be painted before is kept, the rest is left to the
    // cells that changed.
    HWND header = reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0));
    HRGN listWaiting = takeWaitingRegion(list_);
    HRGN headerWaiting = header ? takeWaitingRegion(header) : nullptr;
    turnDrawingBackOn();
    ValidateRect(list_, nullptr);  // the header inside it too
    giveBackWaitingRegion(list_, listWaiting);
    giveBackWaitingRegion(header, headerWaiting);
    invalidateMarkedCellsInView();
}

namespace {
LRESULT CALLBACK passOverStyleChanges(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_STYLECHANGING || message == WM_STYLECHANGED) return 0;
    return DefSubclassProc(window, message, wParam, lParam);
}

// Sets a window's style bits without telling the window: a list view told
// that its scroll bars went would take their room back.
void setStyleUntold(HWND window, LONG_PTR style) {
    SetWindowSubclass(window, passOverStyleChanges, 0, 0);
    SetWindowLongPtrA(window, GWL_STYLE, style);
    RemoveWindowSubclass(window, passOverStyleChanges, 0);
}
}  // namespace

namespace {
bool plainWayForced = false;
}  // namespace

void forcePlainListRedraw(bool plain) { plainWayForced = plain; }

void ListRepaint::turnDrawingBackOn() {
    // The list view sets its scroll bars again when its drawing comes back
    // on, twice over, and Wine draws a scroll bar at every such call even
    // when nothing changed: 8 ms a tick of themed drawing with 100 rows.
    // With the rows as many as before, nothing about the bars can have
    // changed, so for that moment the window's style says it has none, and
    // there is nothing to draw. The bars keep their room and their look.
    // Only Wine was seen to pay for the bars and to leave them alone in that
    // moment: were Windows to show a bar then, it would stay out of the
    // style, undrawn and dead to clicks. Elsewhere the plain way is taken.
    const LONG_PTR bars = WS_VSCROLL | WS_HSCROLL;
    const LONG_PTR style = GetWindowLongPtrA(list_, GWL_STYLE);
    const int rows = static_cast<int>(SendMessageA(list_, LVM_GETITEMCOUNT, 0, 0));
    if (plainWayForced || !runningUnderWine() || !(style & bars) || rows != rowsAtStart_) {
        SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
        return;
    }
    setStyleUntold(list_, style & ~bars);
    SendMessageA(list_, WM_SETREDRAW, TRUE, 0);
    // Had the bars changed after all, the system would have shown or hidden
    // one, and the style it left says so.
    if (GetWindowLongPtrA(list_, GWL_STYLE) == (style & ~bars)) setStyleUntold(list_, style);
}

void ListRepaint::markCell(int row, int column) { mark(row, column + 1, column + 1); }

void ListRepaint::markImage(int row) { mark(row, 0, 0); }

void ListRepaint::markRow(int row) {
    const int columns = static_cast<int>(
        SendMessageA(reinterpret_cast<HWND>(SendMessageA(list_, LVM_GETHEADER, 0, 0)), HDM_GETITEMCOUNT, 0, 0));
    mark(row, 0, columns);
}

void ListRepaint::mark(int row, int first, int last) {
    if (row < 0 || first < 0) return;
    if (static_cast<std::size_t>(row) >= marked_.size()) marked_.resize(static_cast<std::size_t>(row) + 1);
    Span& span = marked_[static_cast<std::size_t>(row)];
    span.first = span.marked() && span.first < first ? span.first : first;
    span.last = span.last > last ? span.last : last;
}

void ListRepaint::invalidateMarkedCellsInView() {
    const int top = static_cast<int>(SendMessageA(list_, LVM_GETTOPINDEX, 0, 0));
    // The rows that fit whole, and the one cut off at the bottom.
    const int bottom = top + static_cast<int>(SendMessageA(list_, LVM_GETCOUNTPERPAGE, 0, 0));
    const int end = bottom < static_cast<int>(marked_.size()) ? bottom + 1 : static_cast<int>(marked_.size());
    // One rectangle for each run of neighbouring rows changed in the same
    // columns: a tick changes the same two or three cells of every running row.
    for (int row = top < 0 ? 0 : top; row < end; ++row) {
        const Span& span = marked_[static_cast<std::size_t>(row)];
        if (!span.marked()) continue;
        int last = row;
        while (last + 1 < end && marked_[static_cast<std::size_t>(last + 1)] == span) ++last;
        invalidate(row, last, span);
        row = last;
    }
}

namespace {
// Column 0's own rectangle is the whole row's (LVIR_BOUNDS) or its text's
// (LVIR_LABEL); the other columns' are their cells'.
RECT itemRect(HWND list, int row, int kind) {
    RECT rect = {};
    rect.left = kind;
    SendMessageA(list, LVM_GETITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return rect;
}

RECT cellRect(HWND list, int row, int column) {
    RECT rect = {};
    rect.top = column;
    rect.left = LVIR_BOUNDS;
    SendMessageA(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&rect));
    return rect;
}
}  // namespace

int ListRepaint::partLeft(int row, int part) const {
    if (part == 0) return itemRect(list_, row, LVIR_BOUNDS).left;
    if (part == 1) return itemRect(list_, row, LVIR_LABEL).left;
    return cellRect(list_, row, part - 1).left;
}

int ListRepaint::partRight(int row, int part) const {
    if (part == 0) return itemRect(list_, row, LVIR_LABEL).left;
    if (part == 1) return cellRect(list_, row, 1).left;  // column 0 ends where column 1 begins
    return cellRect(list_, row, part - 1).right;
}

void ListRepaint::invalidate(int firstRow, int lastRow, const Span& columns) {
    RECT first = {}, last = {};
    first.left = last.left = LVIR_BOUNDS;
    if (!SendMessageA(list_, LVM_GETITEMRECT, firstRow, reinterpret_cast<LPARAM>(&first)) ||
        !SendMessageA(list_, LVM_GETITEMRECT, lastRow, reinterpret_cast<LPARAM>(&last))) {
        return;
    }
    RECT cells = {partLeft(firstRow, columns.first), first.top, partRight(firstRow, columns.last), last.bottom};
    InvalidateRect(list_, &cells, TRUE);
}
