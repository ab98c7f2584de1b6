#pragma once
#include <windows.h>

#include <string>
#include <vector>

#include "app/app_state.h"
#include "platform/list_view_control.h"
#include "timers/timer_table.h"
#include "window_fixture.h"

// The parts of the main window that the clock and the timer sets touch: the
// real timer list, the clock text (1000) and the progress bar (1001), with an
// AppState naming them. Message boxes are answered and recorded.
class AppWindow {
public:
    struct Message {
        HWND owner;
        std::string text;
        std::string caption;
        UINT style;
    };

    AppWindow();
    ~AppWindow();
    AppWindow(const AppWindow&) = delete;
    AppWindow& operator=(const AppWindow&) = delete;

    std::string clockText() const;
    int progressPosition() const;
    // WM_SETTEXT messages the clock has received so far.
    int clockTextWrites() const;

    ListViewWindow window;
    ListViewControl list{window.list()};
    TimerTable table{list};
    AppState app;
    std::vector<Message> messages;

private:
    HWND clock_ = nullptr;
    HWND progress_ = nullptr;
};

// A fresh empty folder under the temporary path, removed with all its files.
class ScratchFolder {
public:
    ScratchFolder();
    ~ScratchFolder();
    ScratchFolder(const ScratchFolder&) = delete;
    ScratchFolder& operator=(const ScratchFolder&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const char* name) const { return path_ + "\\" + name; }
    std::vector<std::string> fileNames() const;

private:
    std::string path_;
};
