#pragma once
#include "timers/timer_table.h"

// What a tick needs of the world outside the table. The program plays
// sounds, starts programs and raises tray balloons; tests record the calls.
class TimerEvents {
public:
    virtual ~TimerEvents() = default;
    virtual void playSound(const char* fileName) = 0;
    virtual void openProgram(const char* fileName, const char* parameters) = 0;
    virtual void showBalloon(const char* title, const char* text) = 0;
    virtual void refreshClock() = 0;
};

void tickTimers(TimerTable& table, TimerEvents& events);
void startTimerRow(TimerTable& table, TimerEvents& events, int index);
void runCompletionAction(const TimerRecord& record, TimerEvents& events);
void showCompletionBalloon(const TimerRecord& record, TimerEvents& events);
