#include "window_fixture.h"

#include <commctrl.h>

#include "platform/code_page.h"
#include "platform/dpi.h"
#include "platform/list_view_control.h"

ListViewWindow::ListViewWindow() {
    useActiveCodePageForFields();
    INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
    InitCommonControlsEx(&controls);
    window_ = CreateWindowExA(0, "STATIC", "list view test", WS_OVERLAPPEDWINDOW, 0, 0, 640, 400, nullptr,
                              nullptr, GetModuleHandleA(nullptr), nullptr);
    list_ = CreateWindowExA(0, WC_LISTVIEWA, "",
                            WS_CHILD | WS_VISIBLE | WS_BORDER | LVS_REPORT | LVS_SINGLESEL | LVS_SHOWSELALWAYS,
                            0, 0, 600, 300, window_, reinterpret_cast<HMENU>(1002), GetModuleHandleA(nullptr),
                            nullptr);
    setUpTimerListView(list_, GetModuleHandleA(nullptr), windowDpi(list_));
}

ListViewWindow::~ListViewWindow() { DestroyWindow(window_); }

AppState ListViewWindow::appState() const {
    AppState app;
    app.hInstance = GetModuleHandleA(nullptr);
    app.hwndMain = window_;
    app.hwndList = list_;
    lstrcpyA(app.title, "Horalet");
    return app;
}

void pumpMessages() {
    MSG msg;
    while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        TranslateMessage(&msg);
        DispatchMessageA(&msg);
    }
}
