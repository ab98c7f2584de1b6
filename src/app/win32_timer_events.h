#pragma once
#include <optional>

#include "app/app_state.h"
#include "status/desktop_status.h"
#include "timers/tick_engine.h"

// The tick's actions on the real system: PlaySoundA, ShellExecuteA, the tray
// balloon, the big clock, and what the tray icon and taskbar show.
class Win32TimerEvents : public TimerEvents {
public:
    explicit Win32TimerEvents(const AppState& app) : app_(app) {}
    void playSound(const char* fileName) override;
    void openProgram(const char* fileName, const char* parameters) override;
    void showBalloon(const char* title, const char* text) override;
    void refreshClock() override;
    void timerFinished(int row, TimerId id) override;
    void runningAfterTick(const RunningTimers& running) override;
    void tickReported(const TickReport& report) override;
    // Whether any timer runs after the tick: only then do times move.
    bool anyRunning() const { return anyRunning_; }

private:
    bool anyRunning_ = false;
    const AppState& app_;
    // Where the window stands does not change within a tick; asked once,
    // not for each of the timers a catch-up finishes.
    std::optional<WindowPresence> presence_;
};
