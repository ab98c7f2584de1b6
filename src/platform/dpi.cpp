#include "platform/dpi.h"

#include <commctrl.h>

#include "display/display_scale.h"

namespace {
// Looked up by name: a program that imported them would not start on the
// systems that lack them.
template <typename Function>
Function user32Function(const char* name) {
    return reinterpret_cast<Function>(reinterpret_cast<void*>(GetProcAddress(GetModuleHandleA("user32.dll"), name)));
}

using GetDpiForWindowFunction = UINT(WINAPI*)(HWND);
using GetSystemMetricsForDpiFunction = int(WINAPI*)(int, UINT);
using SetDialogControlDpiChangeBehaviorFunction = BOOL(WINAPI*)(HWND, int, int);

int systemDpi() {
    HDC screen = GetDC(nullptr);
    const int dpi = screen ? GetDeviceCaps(screen, LOGPIXELSY) : baseDpi;
    if (screen) ReleaseDC(nullptr, screen);
    return dpi > 0 ? dpi : baseDpi;
}
}  // namespace

int windowDpi(HWND window) {
    static const auto getDpiForWindow = user32Function<GetDpiForWindowFunction>("GetDpiForWindow");
    const int dpi = getDpiForWindow ? static_cast<int>(getDpiForWindow(window)) : 0;
    return dpi > 0 ? dpi : systemDpi();
}

int systemMetricForDpi(int index, int dpi) {
    static const auto getMetricForDpi = user32Function<GetSystemMetricsForDpiFunction>("GetSystemMetricsForDpi");
    if (getMetricForDpi) return getMetricForDpi(index, static_cast<UINT>(dpi));
    return rescaleLength(GetSystemMetrics(index), systemDpi(), dpi);
}

HICON loadIconOfSize(HINSTANCE resources, int id, int size) {
    return static_cast<HICON>(LoadImageA(resources, MAKEINTRESOURCEA(id), IMAGE_ICON, size, size, 0));
}

HICON loadNotificationAreaIcon(HINSTANCE resources, int id) {
    HICON icon = nullptr;
    if (SUCCEEDED(LoadIconMetric(resources, MAKEINTRESOURCEW(id), LIM_SMALL, &icon)) && icon) return icon;
    return loadIconOfSize(resources, id, GetSystemMetrics(SM_CXSMICON));
}

void keepOwnFontOnDpiChange(HWND control) {
    static const auto setBehavior =
        user32Function<SetDialogControlDpiChangeBehaviorFunction>("SetDialogControlDpiChangeBehavior");
    const int disableFontUpdate = 1;  // DCDC_DISABLE_FONT_UPDATE
    if (setBehavior) setBehavior(control, disableFontUpdate, disableFontUpdate);
}
