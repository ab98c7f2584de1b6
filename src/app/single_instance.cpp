#include "app/single_instance.h"

#include <string>

#include "res/resource.h"

namespace {
constexpr DWORD waitForWindowMs = 10000;
constexpr DWORD pollMs = 50;

// Local: one instance for each logged-on user's session, as each has its
// own desktop, tray and current directory.
std::string mutexName(const char* title) { return std::string("Local\\") + title + ".Instance"; }

bool ownedAfterWait(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }
}  // namespace

HWND findRunningMainWindow(const char* title) {
    for (HWND window = FindWindowExA(nullptr, nullptr, nullptr, title); window;
         window = FindWindowExA(nullptr, window, nullptr, title)) {
        if (GetDlgItem(window, IDC_TIMER_LIST)) return window;
    }
    return nullptr;
}

SingleInstance::SingleInstance(const char* title) : title_(title) {
    mutex_ = CreateMutexA(nullptr, FALSE, mutexName(title).c_str());
    // Without a mutex (the name taken by another kind of object) the start
    // carries on as the instance rather than refusing to run at all.
    owned_ = !mutex_ || ownedAfterWait(WaitForSingleObject(mutex_, 0));
}

SingleInstance::~SingleInstance() {
    if (!mutex_) return;
    if (owned_) ReleaseMutex(mutex_);
    CloseHandle(mutex_);
}

HWND SingleInstance::waitForRunningWindow() {
    const ULONGLONG until = GetTickCount64() + waitForWindowMs;
    for (;;) {
        if (HWND running = findRunningMainWindow(title_)) return running;
        // The instance ended before its window came, or while this start
        // looked: this one takes its place.
        if (mutex_ && ownedAfterWait(WaitForSingleObject(mutex_, 0))) {
            owned_ = true;
            return nullptr;
        }
        if (GetTickCount64() >= until) return nullptr;
        Sleep(pollMs);
    }
}
