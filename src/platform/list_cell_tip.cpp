#include "platform/list_cell_tip.h"

#include <commctrl.h>

#include <string>

#include "platform/list_column_fit.h"
#include "platform/list_view_control.h"

namespace {
// The list view keeps timers of its own; this id is none of theirs.
constexpr UINT_PTR tipTimerId = 0x7469;
// While a tip shows, how often the mouse is looked for: it may leave for a
// window of another program without the list hearing of it.
constexpr UINT watchPeriodMs = 200;
constexpr UINT_PTR toolId = 1;

struct Cell {
    int row = -1;
    int column = -1;
    bool operator==(const Cell& other) const { return row == other.row && column == other.column; }
    bool operator!=(const Cell& other) const { return !(*this == other); }
};

}  // namespace

struct CellTip {
    HWND tip = nullptr;
    Cell cell;          // the cell the mouse was last seen on
    std::string shown;  // the text the tip shows; empty while it is hidden
};

namespace {

TTTOOLINFOA toolOf(HWND listView) {
    TTTOOLINFOA tool = {};
    tool.cbSize = sizeof tool;
    tool.hwnd = listView;
    tool.uId = toolId;
    return tool;
}

Cell cellAt(HWND listView, POINT client) {
    LVHITTESTINFO hit = {};
    hit.pt = client;
    Cell cell;
    if (SendMessageA(listView, LVM_SUBITEMHITTEST, 0, reinterpret_cast<LPARAM>(&hit)) >= 0 &&
        (hit.flags & LVHT_ONITEM)) {
        cell.row = hit.iItem;
        cell.column = hit.iSubItem;
    }
    return cell;
}

// The cell under the mouse, when nothing else is in front of the list there.
Cell cellUnderMouse(HWND listView, const CellTip& state) {
    POINT mouse;
    if (!GetCursorPos(&mouse)) return Cell();
    HWND under = WindowFromPoint(mouse);
    if (under != listView && under != state.tip) return Cell();
    ScreenToClient(listView, &mouse);
    return cellAt(listView, mouse);
}

RECT screenCellRect(HWND listView, const Cell& cell) {
    RECT rect = {};
    rect.top = cell.column;
    rect.left = LVIR_LABEL;
    SendMessageA(listView, LVM_GETSUBITEMRECT, cell.row, reinterpret_cast<LPARAM>(&rect));
    MapWindowPoints(listView, nullptr, reinterpret_cast<POINT*>(&rect), 2);
    return rect;
}

int stringWidth(HWND listView, const std::string& text) {
    return static_cast<int>(SendMessageA(listView, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text.c_str())));
}

void hide(CellTip& state, HWND listView) {
    if (state.shown.empty()) return;
    TTTOOLINFOA tool = toolOf(listView);
    SendMessageA(state.tip, TTM_TRACKACTIVATE, FALSE, reinterpret_cast<LPARAM>(&tool));
    state.shown.clear();
}

// Just below the cell (above it at the bottom of the screen), its text in
// line with the cell's, and inside the monitor's work area; a text wider
// than that area wraps. It never lies under the mouse: a click on the cell
// must reach the list, and not every system lets it through a tip.
void place(CellTip& state, HWND listView, const RECT& cell, int textWidth) {
    HMONITOR monitor = MonitorFromRect(&cell, MONITOR_DEFAULTTONEAREST);
    MONITORINFO info = {};
    info.cbSize = sizeof info;
    GetMonitorInfoA(monitor, &info);
    const RECT& work = info.rcWork;
    SendMessageA(state.tip, TTM_SETMAXTIPWIDTH, 0, work.right - work.left);
    const int margin = columnTextMargin(listView);
    RECT window = {cell.left + margin, cell.top, cell.left + margin + textWidth, cell.bottom};
    SendMessageA(state.tip, TTM_ADJUSTRECT, TRUE, reinterpret_cast<LPARAM>(&window));
    TTTOOLINFOA tool = toolOf(listView);
    const LRESULT bubble = SendMessageA(state.tip, TTM_GETBUBBLESIZE, 0, reinterpret_cast<LPARAM>(&tool));
    const int width = LOWORD(bubble), height = HIWORD(bubble);
    int x = window.left, y = cell.bottom;
    if (x + width > work.right) x = work.right - width;
    if (x < work.left) x = work.left;
    if (y + height > work.bottom) y = cell.top - height;
    SendMessageA(state.tip, TTM_TRACKPOSITION, 0, MAKELPARAM(x, y));
}

void show(CellTip& state, HWND listView, const std::string& text, const RECT& cell, int textWidth) {
    // The list's own font, so the text reads as it does in the list at
    // every display scale.
    SendMessageA(state.tip, WM_SETFONT, SendMessageA(listView, WM_GETFONT, 0, 0), FALSE);
    TTTOOLINFOA tool = toolOf(listView);
    tool.lpszText = const_cast<char*>(text.c_str());
    SendMessageA(state.tip, TTM_UPDATETIPTEXTA, 0, reinterpret_cast<LPARAM>(&tool));
    place(state, listView, cell, textWidth);
    SendMessageA(state.tip, TTM_TRACKACTIVATE, TRUE, reinterpret_cast<LPARAM>(&tool));
    state.shown = text;
}

// Shows the tip for the cell under the mouse when its column cuts its
// text, and keeps watching while it shows; hides it otherwise.
void showOrHide(CellTip& state, HWND listView) {
    const Cell cell = cellUnderMouse(listView, state);
    if (cell != state.cell) state.cell = Cell();  // gone: coming back is moving on to the cell
    const std::string text = state.cell.row >= 0 ? ListViewControl(listView).cellText(cell.row, cell.column) : "";
    const RECT rect = text.empty() ? RECT{} : screenCellRect(listView, cell);
    const int width = text.empty() ? 0 : stringWidth(listView, text);
    if (text.empty() || width + 2 * columnTextMargin(listView) <= rect.right - rect.left) {
        hide(state, listView);
        KillTimer(listView, tipTimerId);
        return;
    }
    if (text != state.shown) show(state, listView, text, rect, width);
    SetTimer(listView, tipTimerId, watchPeriodMs, nullptr);
}

void onMouseMove(CellTip& state, HWND listView, LPARAM lParam) {
    const POINT at = {static_cast<short>(LOWORD(lParam)), static_cast<short>(HIWORD(lParam))};
    const Cell cell = cellAt(listView, at);
    if (cell == state.cell) return;
    hide(state, listView);
    state.cell = cell;
    if (cell.row < 0) {
        KillTimer(listView, tipTimerId);
        return;
    }
    // As long as the system's own tips wait before they show.
    const auto delay = static_cast<UINT>(SendMessageA(state.tip, TTM_GETDELAYTIME, TTDT_INITIAL, 0));
    SetTimer(listView, tipTimerId, delay, nullptr);
}

// A click, a key or a scroll puts the tip away; it comes back only once the
// mouse has moved on to another cell.
void dismiss(CellTip& state, HWND listView) {
    hide(state, listView);
    KillTimer(listView, tipTimerId);
}

}  // namespace

bool cellTipSees(CellTip& state, HWND listView, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_MOUSEMOVE:
            onMouseMove(state, listView, lParam);
            break;
        case WM_TIMER:
            if (wParam != tipTimerId) break;
            showOrHide(state, listView);
            return true;
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_MOUSEWHEEL:
        case WM_VSCROLL:
        case WM_HSCROLL:
        case WM_KEYDOWN:
            dismiss(state, listView);
            break;
    }
    return false;
}

void destroyCutCellTip(CellTip* state, HWND listView) {
    KillTimer(listView, tipTimerId);
    DestroyWindow(state->tip);
    delete state;
}

CellTip* makeCutCellTip(HWND listView) {
    auto* state = new CellTip;
    // Where the system lets the mouse through a tip, the list goes on seeing
    // the mouse as it moves on over the tip.
    state->tip = CreateWindowExA(WS_EX_TOPMOST, TOOLTIPS_CLASSA, nullptr, WS_POPUP | TTS_NOPREFIX | TTS_ALWAYSTIP,
                                 CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT, listView, nullptr,
                                 reinterpret_cast<HINSTANCE>(GetWindowLongPtrA(listView, GWLP_HINSTANCE)), nullptr);
    TTTOOLINFOA tool = toolOf(listView);
    tool.uFlags = TTF_TRACK | TTF_ABSOLUTE | TTF_TRANSPARENT;
    tool.lpszText = const_cast<char*>("");
    SendMessageA(state->tip, TTM_ADDTOOLA, 0, reinterpret_cast<LPARAM>(&tool));
    return state;
}
