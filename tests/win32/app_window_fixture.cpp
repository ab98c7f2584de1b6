#include "app_window_fixture.h"

#include <commctrl.h>

#include "platform/message_box.h"
#include "res/resource.h"
#include "temp_folder.h"

namespace {
const char* const clockWritesProperty = "horalet.test.clockWrites";
const char* const clockProcProperty = "horalet.test.clockProc";

LRESULT CALLBACK countingClockProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message == WM_SETTEXT) {
        auto writes = reinterpret_cast<INT_PTR>(GetPropA(window, clockWritesProperty));
        SetPropA(window, clockWritesProperty, reinterpret_cast<HANDLE>(writes + 1));
    }
    auto original = reinterpret_cast<WNDPROC>(GetPropA(window, clockProcProperty));
    return CallWindowProcA(original, window, message, wParam, lParam);
}
}  // namespace

AppWindow::AppWindow() {
    HINSTANCE instance = GetModuleHandleA(nullptr);
    clock_ = CreateWindowExA(0, "STATIC", "not yet shown", WS_CHILD | WS_VISIBLE | SS_CENTER, 0, 300, 300, 40,
                             window.window(), reinterpret_cast<HMENU>(IDC_CLOCK), instance, nullptr);
    progress_ = CreateWindowExA(0, PROGRESS_CLASSA, "", WS_CHILD | WS_VISIBLE | PBS_SMOOTH, 300, 300, 300, 20,
                                window.window(), reinterpret_cast<HMENU>(IDC_PROGRESS), instance, nullptr);
    SetPropA(clock_, clockProcProperty,
             reinterpret_cast<HANDLE>(SetWindowLongPtrA(clock_, GWLP_WNDPROC,
                                                        reinterpret_cast<LONG_PTR>(countingClockProc))));
    app.hInstance = instance;
    app.hwndMain = window.window();
    app.hwndList = window.list();
    app.hwndClock = clock_;
    lstrcpyA(app.title, "Horalet test");
    setMessageResponder([this](HWND owner, const char* text, const char* caption, UINT style) {
        messages.push_back({owner, text, caption, style});
        return IDOK;
    });
}

AppWindow::~AppWindow() {
    setMessageResponder({});
    SetWindowLongPtrA(clock_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetPropA(clock_, clockProcProperty)));
    RemovePropA(clock_, clockProcProperty);
    RemovePropA(clock_, clockWritesProperty);
}

std::string AppWindow::clockText() const {
    char text[260] = {};
    GetWindowTextA(clock_, text, sizeof text);
    return text;
}

int AppWindow::progressPosition() const { return static_cast<int>(SendMessageA(progress_, PBM_GETPOS, 0, 0)); }

int AppWindow::clockTextWrites() const {
    return static_cast<int>(reinterpret_cast<INT_PTR>(GetPropA(clock_, clockWritesProperty)));
}

ScratchFolder::ScratchFolder() : path_(createFreshFolder("horalet-")) {}

ScratchFolder::~ScratchFolder() { removeFolderTree(path_); }

std::vector<std::string> ScratchFolder::fileNames() const {
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path_ + "\\*").c_str(), &found);
    if (search == INVALID_HANDLE_VALUE) return names;
    do {
        std::string name = found.cFileName;
        if (name != "." && name != "..") names.push_back(name);
    } while (FindNextFileA(search, &found));
    FindClose(search);
    return names;
}
