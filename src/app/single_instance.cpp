#include "app/single_instance.h"

#include <commctrl.h>

#include <string>

#include "res/resource.h"

namespace {
constexpr DWORD waitForWindowMs = 10000;
constexpr DWORD pollMs = 50;

// Local: one instance for each logged-on user's session, as each has its
// own desktop, tray and current directory.
std::string mutexName(const char* title) { return std::string("Local\\") + title + ".Instance"; }

bool ownedAfterWait(DWORD waited) { return waited == WAIT_OBJECT_0 || waited == WAIT_ABANDONED; }

bool hasClass(HWND window, const char* name) {
    char found[64] = "";
    GetClassNameA(window, found, sizeof found);
    return lstrcmpiA(found, name) == 0;
}
}  // namespace

HWND findRunningMainWindow(const char* title) {
    // A dialog whose timer list is a list view: a box of another start and
    // a folder window named like the program bear the caption too.
    for (HWND window = FindWindowExA(nullptr, nullptr, "#32770", title); window;
         window = FindWindowExA(nullptr, window, "#32770", title)) {
        const HWND list = GetDlgItem(window, IDC_TIMER_LIST);
        if (list && hasClass(list, WC_LISTVIEWA)) return window;
    }
    return nullptr;
}

SingleInstance::SingleInstance(const char* title) : title_(title) {
    const std::string name = mutexName(title);
    mutex_ = CreateMutexA(nullptr, FALSE, name.c_str());
    if (!mutex_ && GetLastError() == ERROR_ACCESS_DENIED) {
        // An instance that runs as administrator made the mutex, with rights
        // this start lacks: another instance runs. Waiting on it needs less,
        // and lets this start take over once that instance ends.
        mutex_ = OpenMutexA(SYNCHRONIZE, FALSE, name.c_str());
        owned_ = mutex_ && ownedAfterWait(WaitForSingleObject(mutex_, 0));
        return;
    }
    // Without a mutex for any other reason (the name taken by another kind
    // of object) the start carries on as the instance rather than refusing
    // to run at all.
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
