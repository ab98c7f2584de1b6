#include "app/main_window.h"

#include <commctrl.h>

#include "platform/list_view_control.h"
#include "res/resource.h"

namespace {
AppState& stateOf(HWND window) { return *reinterpret_cast<AppState*>(GetWindowLongPtrA(window, DWLP_USER)); }

void onInitDialog(HWND window, AppState& app) {
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(&app));
    app.hwndMain = window;
    app.hwndList = GetDlgItem(window, IDC_TIMER_LIST);
    app.hwndClock = GetDlgItem(window, IDC_CLOCK);
    initMainWindow(app);
}
}  // namespace

void initMainWindow(AppState& app) { setUpTimerListView(app.hwndList, app.hInstance); }

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    switch (message) {
        case WM_INITDIALOG:
            onInitDialog(window, *reinterpret_cast<AppState*>(lParam));
            return FALSE;
        case WM_COMMAND:
            if (LOWORD(wParam) == IDCANCEL || LOWORD(wParam) == IDM_EXIT) EndDialog(window, 0);
            return 0;
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return TRUE;
    }
    (void)stateOf;
    return 0;
}
