#include "window_fixture.h"

#include <commctrl.h>

#include <algorithm>

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

int headerFit(HWND listView, int column) {
    char text[64] = {};
    LVCOLUMNA info = {};
    info.mask = LVCF_TEXT;
    info.pszText = text;
    info.cchTextMax = sizeof text;
    SendMessageA(listView, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info));
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    return static_cast<int>(SendMessageA(listView, LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text))) +
           2 * static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
}

std::string columnFitProblem(HWND listView, const int (&givenWidths)[4]) {
    const auto width = [listView](int column) {
        return static_cast<int>(SendMessageA(listView, LVM_GETCOLUMNWIDTH, column, 0));
    };
    RECT client;
    GetClientRect(listView, &client);
    int rest = client.right;
    for (int column = 0; column < 4; ++column) {
        const int needed = std::max(givenWidths[column], headerFit(listView, column));
        if (width(column) != needed) {
            return "column " + std::to_string(column) + " is " + std::to_string(width(column)) + " wide, not " +
                   std::to_string(needed);
        }
        rest -= needed;
    }
    if (rest <= headerFit(listView, 4) || width(4) != rest) {
        return "the description is " + std::to_string(width(4)) + " wide, not the " + std::to_string(rest) + " left";
    }
    return GetWindowLongA(listView, GWL_STYLE) & WS_HSCROLL ? "a horizontal scroll bar" : "";
}
