#include "app/main_window_dpi.h"

#include "app/clock_font.h"
#include "platform/dpi.h"
#include "platform/list_column_fit.h"
#include "platform/list_view_scale.h"
#include "res/resource.h"
#include "timers/timer_table.h"

namespace {
void setWindowIcon(HWND window, WPARAM which, HICON icon) {
    auto previous = reinterpret_cast<HICON>(SendMessageA(window, WM_SETICON, which, reinterpret_cast<LPARAM>(icon)));
    if (previous && previous != icon) DestroyIcon(previous);
}
}  // namespace

void applyMainWindowDpi(const AppState& app, int dpi) {
    setClockFont(app.hwndClock, app.hInstance, dpi);
    setWindowIcon(app.hwndMain, ICON_SMALL,
                  loadIconOfSize(app.hInstance, IDI_APP_SMALL, systemMetricForDpi(SM_CXSMICON, dpi)));
    setWindowIcon(app.hwndMain, ICON_BIG, loadIconOfSize(app.hInstance, IDI_APP, systemMetricForDpi(SM_CXICON, dpi)));
}

int onMainWindowDpiChanged(const AppState& app, int oldDpi, WPARAM wParam, LPARAM lParam) {
    const int dpi = LOWORD(wParam);  // across; the high word, the DPI down, is the same
    const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
    if (dpi <= 0 || !suggested) return oldDpi;
    SetWindowPos(app.hwndMain, nullptr, suggested->left, suggested->top, suggested->right - suggested->left,
                 suggested->bottom - suggested->top, SWP_NOZORDER | SWP_NOACTIVATE);
    rescaleColumnWidths(app.hwndList, oldDpi, dpi);
    fillWithColumn(app.hwndList, ColumnDescription);
    setStateImages(app.hwndList, app.hInstance, dpi);
    applyMainWindowDpi(app, dpi);
    return dpi;
}
