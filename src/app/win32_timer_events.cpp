#include "app/win32_timer_events.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "app/clock_display.h"
#include "platform/tray_icon.h"

// No result is looked at: a missing sound or program simply does nothing,
// and the timer is finished all the same.

void Win32TimerEvents::playSound(const char* fileName) { PlaySoundA(fileName, nullptr, SND_ASYNC); }

void Win32TimerEvents::openProgram(const char* fileName, const char* parameters) {
    ShellExecuteA(app_.hwndMain, "open", fileName, parameters, nullptr, SW_SHOWNORMAL);
}

void Win32TimerEvents::showBalloon(const char* title, const char* text) {
    showTrayBalloon(app_.hwndMain, title, text);
}

void Win32TimerEvents::refreshClock() { ::refreshClock(app_); }
