#pragma once
#include <cstdint>
#include <string>

#include "timers/running_timers.h"
#include "timers/tick_report.h"
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
    // Once for each timer a tick finished, in the order they finished,
    // after its action; with the timer's identity, which outlives the row.
    virtual void timerFinished(int /*row*/, TimerId /*id*/) {}
    // The running timers as a tick that moved time left them.
    virtual void runningAfterTick(const RunningTimers& /*running*/) {}
    // The runs the tick ended and began, after its actions.
    virtual void tickReported(const TickReport& /*report*/) {}
};

// Applies `seconds` whole seconds to the running timers, exactly as that
// many ticks of one second would. One second acts as the tick always did:
// each completion plays its sound or starts its program and shows its
// balloon. More seconds at once are a catch-up after the program could not
// tick (the computer slept, the thread was blocked): each timer that
// finished meanwhile acts once, however many laps its chain went round, and
// one balloon tells what happened. Returns true when the tick changed
// something the timer set file holds (a state or a skip flag), not only
// times.
bool tickTimers(TimerTable& table, TimerEvents& events, int64_t seconds = 1);
void startTimerRow(TimerTable& table, TimerEvents& events, int index);
void runCompletionAction(const TimerRecord& record, TimerEvents& events);
void showCompletionBalloon(const TimerRecord& record, TimerEvents& events);

// "3 timers finished meanwhile: Tea, Break, Call", cut to a balloon's 255
// characters.
std::string finishedMeanwhileText(int count, const std::string& names);
