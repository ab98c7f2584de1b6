#pragma once
#include <windows.h>

// The main window of a running instance: a window captioned with the title
// that holds the timer list, so that a message box of another start, with
// the same caption, is never taken for it.
HWND findRunningMainWindow(const char* title);

// One program per desktop session. A named mutex decides which start is the
// instance, so that two first starts at the same moment cannot both become
// one; the window's caption alone left that race open.
class SingleInstance {
public:
    explicit SingleInstance(const char* title);
    ~SingleInstance();
    SingleInstance(const SingleInstance&) = delete;
    SingleInstance& operator=(const SingleInstance&) = delete;

    // True when this start is the instance (it owns the mutex).
    bool isFirst() const { return owned_; }
    // Another start: the running instance's window, waited for a bounded
    // time while that instance is still starting. Null when none came; by
    // then this start may have become the instance itself (an instance
    // that was ending lets go of the mutex), which isFirst() tells.
    HWND waitForRunningWindow();

private:
    const char* title_;
    HANDLE mutex_ = nullptr;
    bool owned_ = false;
};
