#include "platform/win32_desktop_shell.h"

#include <shobjidl.h>

#include "platform/dpi.h"
#include "platform/tray_icon.h"
#include "res/resource.h"

Win32DesktopShell::~Win32DesktopShell() {
    for (HICON icon : icons_) {
        if (icon) DestroyIcon(icon);
    }
    if (taskbar_) taskbar_->Release();
}

void Win32DesktopShell::setTrayTip(const char* tip) { ::setTrayTip(window_, tip); }

HICON Win32DesktopShell::trayIcon(TrayMark mark) {
    static const int ids[] = {IDI_APP_SMALL, IDI_TRAY_RUNNING, IDI_TRAY_FINISHED};
    const int index = static_cast<int>(mark);
    // Loaded once each and kept while the window lives, so the tray never
    // holds a picture that is gone.
    if (!icons_[index]) icons_[index] = loadNotificationAreaIcon(resources_, ids[index]);
    return icons_[index];
}

void Win32DesktopShell::setTrayIcon(TrayMark mark) { setTrayIconImage(window_, trayIcon(mark)); }

void Win32DesktopShell::setTaskbarProgress(TaskbarProgress state, int percent) {
    if (!taskbar_) return;  // no button yet, or a taskbar without progress
    if (state == TaskbarProgress::None) {
        taskbar_->SetProgressState(window_, TBPF_NOPROGRESS);
        return;
    }
    // A value set while there is no progress turns the state to normal, so
    // the value goes first and the state after it.
    taskbar_->SetProgressValue(window_, static_cast<ULONGLONG>(percent), 100);
    const TBPFLAG flags = state == TaskbarProgress::Paused  ? TBPF_PAUSED
                          : state == TaskbarProgress::Error ? TBPF_ERROR
                                                            : TBPF_NORMAL;
    taskbar_->SetProgressState(window_, flags);
}

void Win32DesktopShell::flashTaskbarButton() {
    FLASHWINFO flash = {};
    flash.cbSize = sizeof flash;
    flash.hwnd = window_;
    flash.dwFlags = FLASHW_ALL | FLASHW_TIMERNOFG;
    FlashWindowEx(&flash);
}

void Win32DesktopShell::taskbarButtonCreated() {
    if (taskbar_) return;
    ITaskbarList3* taskbar = nullptr;
    if (FAILED(CoCreateInstance(CLSID_TaskbarList, nullptr, CLSCTX_INPROC_SERVER, IID_ITaskbarList3,
                                reinterpret_cast<void**>(&taskbar)))) {
        return;
    }
    if (FAILED(taskbar->HrInit())) {
        taskbar->Release();
        return;
    }
    taskbar_ = taskbar;
}

UINT taskbarButtonCreatedMessage() {
    static const UINT message = RegisterWindowMessageA("TaskbarButtonCreated");
    return message;
}

// The editor, a set dialog or a message box of the program in front is the
// program in front: they all run on the main window's thread.
WindowPresence windowPresence(HWND window) {
    if (!IsWindowVisible(window)) return WindowPresence::Hidden;
    const HWND front = GetForegroundWindow();
    const bool ours = front && GetWindowThreadProcessId(front, nullptr) == GetWindowThreadProcessId(window, nullptr);
    if (IsIconic(window) || !ours) return WindowPresence::Behind;
    return WindowPresence::InFront;
}
