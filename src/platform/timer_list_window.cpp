#include "platform/timer_list_window.h"

#include "platform/list_cell_tip.h"
#include "platform/list_column_fit.h"
#include "platform/list_empty_hint.h"

namespace {
struct TimerListWindow {
    WNDPROC listProc;
    CellTip* tip;
    int fillColumn;
    const char* emptyHint;
};

LRESULT CALLBACK timerListProc(HWND listView, UINT message, WPARAM wParam, LPARAM lParam) {
    auto* window = reinterpret_cast<TimerListWindow*>(GetWindowLongPtrW(listView, GWLP_USERDATA));
    if (cellTipSees(*window->tip, listView, message, wParam, lParam)) return 0;
    const bool wasEmpty = emptyBeforeRowsChange(listView, message);
    const LRESULT result = CallWindowProcW(window->listProc, listView, message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        SetWindowLongPtrW(listView, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(window->listProc));
        destroyCutCellTip(window->tip, listView);
        delete window;
        return result;
    }
    columnsFollowList(listView, message, lParam, window->fillColumn);
    hintFollowsList(listView, message, wParam, wasEmpty, window->emptyHint);
    return result;
}
}  // namespace

void makeTimerListWindow(HWND listView, int fillColumn, const char* emptyHint) {
    auto* window = new TimerListWindow{nullptr, makeCutCellTip(listView), fillColumn, emptyHint};
    SetWindowLongPtrW(listView, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(window));
    window->listProc = reinterpret_cast<WNDPROC>(
        SetWindowLongPtrW(listView, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(timerListProc)));
}
