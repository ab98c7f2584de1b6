#include "window_fixture.h"

#include <commctrl.h>

#include <cstdio>

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
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    char text[64] = {};
    HDITEMA item = {};
    item.mask = HDI_TEXT;
    item.pszText = text;
    item.cchTextMax = sizeof text;
    SendMessageA(header, HDM_GETITEMA, column, reinterpret_cast<LPARAM>(&item));
    HDC dc = GetDC(header);
    HGDIOBJ previous = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageA(header, WM_GETFONT, 0, 0)));
    SIZE size = {};
    GetTextExtentPoint32A(dc, text, lstrlenA(text), &size);
    SelectObject(dc, previous);
    ReleaseDC(header, dc);
    return size.cx + 2 * static_cast<int>(SendMessageA(header, HDM_GETBITMAPMARGIN, 0, 0));
}

std::string columnFitProblem(HWND listView, const int (&givenWidths)[4]) {
    const auto width = [listView](int column) {
        return static_cast<int>(SendMessageA(listView, LVM_GETCOLUMNWIDTH, column, 0));
    };
    char problem[160] = {};
    RECT client;
    GetClientRect(listView, &client);
    int rest = client.right;
    for (int column = 0; column < 4; ++column) {
        const int needed = headerFit(listView, column) > givenWidths[column] ? headerFit(listView, column)
                                                                             : givenWidths[column];
        if (width(column) != needed) {
            std::snprintf(problem, sizeof problem, "column %d is %d wide, not %d", column, width(column), needed);
            return problem;
        }
        rest -= needed;
    }
    const int description = 4;
    if (rest <= headerFit(listView, description) || width(description) != rest) {
        std::snprintf(problem, sizeof problem, "the description is %d wide, not the %d left", width(description), rest);
        return problem;
    }
    if (GetWindowLongA(listView, GWL_STYLE) & WS_HSCROLL) return "a horizontal scroll bar";
    return problem;
}
