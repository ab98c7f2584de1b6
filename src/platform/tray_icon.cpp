#include "platform/tray_icon.h"

#include <shellapi.h>

#include "status/desktop_shell.h"
#include "timers/field_text.h"

// The tip the program composes fits the shell's field.
static_assert(sizeof NOTIFYICONDATAA().szTip == trayTipCapacity, "the tray tip's field");

namespace {
// The platform's own size: the fixed 504 of old documents is the 32-bit one.
NOTIFYICONDATAA iconData(HWND window) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = trayIconId;
    return data;
}
}  // namespace

void addTrayIcon(HWND window, HICON icon, const char* tip) {
    NOTIFYICONDATAA data = iconData(window);
    data.uFlags = NIF_MESSAGE | NIF_ICON | NIF_TIP;
    data.uCallbackMessage = WM_TRAYNOTIFY;
    data.hIcon = icon;
    copyFieldText(data.szTip, sizeof data.szTip, tip);
    Shell_NotifyIconA(NIM_ADD, &data);
}

void removeTrayIcon(HWND window) {
    NOTIFYICONDATAA data = iconData(window);
    Shell_NotifyIconA(NIM_DELETE, &data);
}

void setTrayTip(HWND window, const char* tip) {
    NOTIFYICONDATAA data = iconData(window);
    data.uFlags = NIF_TIP;
    copyFieldText(data.szTip, sizeof data.szTip, tip);
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void setTrayIconImage(HWND window, HICON icon) {
    NOTIFYICONDATAA data = iconData(window);
    data.uFlags = NIF_ICON;
    data.hIcon = icon;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}

void showTrayBalloon(HWND window, const char* title, const char* text) {
    NOTIFYICONDATAA data = iconData(window);
    data.uFlags = NIF_INFO;
    copyFieldText(data.szInfoTitle, sizeof data.szInfoTitle, title);
    copyFieldText(data.szInfo, sizeof data.szInfo, text);
    data.dwInfoFlags = NIIF_INFO;
    Shell_NotifyIconA(NIM_MODIFY, &data);
}
