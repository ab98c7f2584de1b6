#pragma once
#include <cstddef>

// The notification-area icon's picture.
enum class TrayMark { Plain, Running, FinishUnseen };

// The states of the progress shown on the taskbar button.
enum class TaskbarProgress { None, Normal, Paused, Error };

// The shell's tip field: 127 characters and the terminator.
constexpr std::size_t trayTipCapacity = 128;

// Every call the program makes to the desktop outside its window, besides
// balloons: the tray icon's tip and picture, the taskbar button's progress
// and its flashing. The program makes them on the shell; tests record them,
// since no virtual display shows the taskbar's part.
class DesktopShell {
public:
    virtual ~DesktopShell() = default;
    virtual void setTrayTip(const char* tip) = 0;
    virtual void setTrayIcon(TrayMark mark) = 0;
    // `percent` is 0 to 100; it means nothing with None.
    virtual void setTaskbarProgress(TaskbarProgress state, int percent) = 0;
    // Until the window comes to the front.
    virtual void flashTaskbarButton() = 0;
};
