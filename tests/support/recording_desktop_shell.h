#pragma once
#include <string>
#include <utility>
#include <vector>

#include "status/desktop_shell.h"

// Every call to the desktop, as one line of text: "tip Tea: 04:12 left",
// "icon running", "progress normal 30", "flash".
class RecordingDesktopShell : public DesktopShell {
public:
    void setTrayTip(const char* tip) override { calls.push_back(std::string("tip ") + tip); }
    void setTrayIcon(TrayMark mark) override {
        static const char* const names[] = {"plain", "running", "unseen"};
        calls.push_back(std::string("icon ") + names[static_cast<int>(mark)]);
    }
    void setTaskbarProgress(TaskbarProgress state, int percent) override {
        static const char* const names[] = {"none", "normal", "paused", "error"};
        calls.push_back(std::string("progress ") + names[static_cast<int>(state)] +
                        (state == TaskbarProgress::None ? "" : " " + std::to_string(percent)));
    }
    void flashTaskbarButton() override { calls.push_back("flash"); }

    // The calls since the last take.
    std::vector<std::string> take() { return std::exchange(calls, {}); }
    std::vector<std::string> calls;
};
