#include "app/win32_timer_events.h"

#include <mmsystem.h>
#include <shellapi.h>

#include "alarm/sound_repeats.h"
#include "app/book_keeper.h"
#include "app/clock_display.h"
#include "platform/monotonic_clock.h"
#include "platform/tray_icon.h"
#include "platform/win32_desktop_shell.h"
#include "status/desktop_status.h"

// No result is looked at: a missing sound or program simply does nothing,
// and the timer is finished all the same.

void Win32TimerEvents::playSound(const char* fileName) { PlaySoundA(fileName, nullptr, SND_ASYNC); }

void Win32TimerEvents::openProgram(const char* fileName, const char* parameters) {
    // Without SEE_MASK_FLAG_NO_UI the shell shows its own error box for a
    // program that cannot start; that box's loop would run the next tick
    // inside this one, and a completion is meant to report nothing. The
    // shell's search for a program (tens of milliseconds, more for one that
    // is not there) goes on beside the tick rather than inside it, so a
    // catch-up that starts several programs does not hold the window up.
    SHELLEXECUTEINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = SEE_MASK_FLAG_NO_UI | SEE_MASK_ASYNCOK;
    info.hwnd = app_.hwndMain;
    info.lpVerb = "open";
    info.lpFile = fileName;
    info.lpParameters = parameters;
    info.nShow = SW_SHOWNORMAL;
    ShellExecuteExA(&info);
}

void Win32TimerEvents::showBalloon(const char* title, const char* text) {
    showTrayBalloon(app_.hwndMain, title, text);
}

void Win32TimerEvents::refreshClock() { ::refreshClock(app_); }

void Win32TimerEvents::timerFinished(int, TimerId id) {
    if (!app_.desktop) return;
    if (!presence_) presence_ = windowPresence(app_.hwndMain);
    app_.desktop->timerFinished(id, *presence_);
}

void Win32TimerEvents::runningAfterTick(const RunningTimers& running) {
    anyRunning_ = running.count() > 0;
    if (app_.desktop) app_.desktop->showRunning(running);
}

void Win32TimerEvents::tickReported(const TickReport& report) {
    if (app_.books) app_.books->tickReported(report);
    if (app_.repeats) app_.repeats->tickReported(report, monotonicMs());
}
