#include "app/accelerators.h"

#include "res/resource.h"

namespace {
HACCEL accelTable = nullptr;
HHOOK msgHook = nullptr;
const AppState* hookedApp = nullptr;

bool isKeyMessage(UINT message) { return message >= WM_KEYFIRST && message <= 0x109; }
}  // namespace

LRESULT CALLBACK AccelHookProc(int code, WPARAM wParam, LPARAM lParam) {
    if (code != MSGF_DIALOGBOX) return 0;
    MSG* message = reinterpret_cast<MSG*>(lParam);
    if (isKeyMessage(message->message) && hookedApp && hookedApp->hwndMain &&
        TranslateAcceleratorA(hookedApp->hwndMain, accelTable, message)) {
        return 1;  // the dialog loop must drop the key: it became a command
    }
    return CallNextHookEx(msgHook, code, wParam, lParam);
}

void installAcceleratorHook(const AppState& app) {
    hookedApp = &app;
    msgHook = SetWindowsHookExA(WH_MSGFILTER, AccelHookProc, nullptr, GetCurrentThreadId());
    accelTable = LoadAcceleratorsA(app.hInstance, MAKEINTRESOURCEA(IDA_MAIN_ACCEL));
}

void removeAcceleratorHook() {
    if (msgHook) UnhookWindowsHookEx(msgHook);
    msgHook = nullptr;
    hookedApp = nullptr;
}
