#pragma once
#include <windows.h>

#include "status/desktop_shell.h"
#include "status/desktop_status.h"

struct ITaskbarList3;

// The desktop calls on Windows: the tray icon through Shell_NotifyIconA, the
// taskbar button's progress through the taskbar's ITaskbarList3, and
// FlashWindowEx.
class Win32DesktopShell : public DesktopShell {
public:
    Win32DesktopShell(HWND window, HINSTANCE resources) : window_(window), resources_(resources) {}
    ~Win32DesktopShell() override;
    Win32DesktopShell(const Win32DesktopShell&) = delete;
    Win32DesktopShell& operator=(const Win32DesktopShell&) = delete;

    void setTrayTip(const char* tip) override;
    void setTrayIcon(TrayMark mark) override;
    void setTaskbarProgress(TaskbarProgress state, int percent) override;
    void flashTaskbarButton() override;

    // The picture for a mark, loaded at the tray's icon size.
    HICON trayIcon(TrayMark mark);
    // The taskbar made a button for the window: only now does its progress
    // interface take calls for it.
    void taskbarButtonCreated();

private:
    HWND window_;
    HINSTANCE resources_;
    HICON icons_[3] = {};
    ITaskbarList3* taskbar_ = nullptr;
};

// The message the taskbar sends, again after Explorer restarts, when it has
// made the window's button.
UINT taskbarButtonCreatedMessage();

// Hidden; shown but minimized or behind another window; or in front.
WindowPresence windowPresence(HWND window);
