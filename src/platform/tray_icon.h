#pragma once
#include <windows.h>

constexpr UINT WM_TRAYNOTIFY = WM_USER + 1;
constexpr UINT trayIconId = 1;

void addTrayIcon(HWND window, HICON icon, const char* tip);
void removeTrayIcon(HWND window);
// Changes the tip the icon shows under the mouse (at most 127 characters).
void setTrayTip(HWND window, const char* tip);
// Changes the icon's picture; the caller keeps the icon alive meanwhile.
void setTrayIconImage(HWND window, HICON icon);
// Raises a balloon at the existing icon; the text is cut to 255 characters.
void showTrayBalloon(HWND window, const char* title, const char* text);
