#include "app/input_watch.h"

#include "alarm/sound_repeats.h"
#include "platform/monotonic_clock.h"

namespace {
HHOOK watchHook = nullptr;
const AppState* watchedApp = nullptr;

bool isUserInput(UINT message) {
    switch (message) {
        case WM_KEYDOWN:
        case WM_SYSKEYDOWN:
        case WM_LBUTTONDOWN:
        case WM_RBUTTONDOWN:
        case WM_MBUTTONDOWN:
        case WM_NCLBUTTONDOWN:
        case WM_NCRBUTTONDOWN:
            return true;
        default:
            return false;
    }
}

LRESULT CALLBACK InputWatchProc(int code, WPARAM wParam, LPARAM lParam) {
    const MSG* message = reinterpret_cast<const MSG*>(lParam);
    if (code >= 0 && watchedApp && watchedApp->repeats && isUserInput(message->message)) {
        watchedApp->repeats->seen(monotonicMs());
    }
    return CallNextHookEx(watchHook, code, wParam, lParam);
}
}  // namespace

void installInputWatch(const AppState& app) {
    watchedApp = &app;
    watchHook = SetWindowsHookExA(WH_MSGFILTER, InputWatchProc, nullptr, GetCurrentThreadId());
}

void removeInputWatch() {
    if (watchHook) UnhookWindowsHookEx(watchHook);
    watchHook = nullptr;
    watchedApp = nullptr;
}
