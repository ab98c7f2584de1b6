#include "timers/tick_engine.h"

#include "timers/field_text.h"

namespace {
// The tray balloon holds 255 characters of text.
constexpr int balloonTextSize = 256;
const char* const balloonTitle = "Timer";

// The longest time the table can show: a text with three hour digits no
// longer reads back as a time, and a timer would start over from zero.
const int64_t longestShownTime = totalSeconds(TimeHms{99, 59, 59});

void advanceOneSecond(TimeHms& time) {
    if (++time.seconds >= 60) {
        time.seconds = 0;
        if (++time.minutes >= 60) {
            time.minutes = 0;
            ++time.hours;
        }
    }
}

// Moves a running timer on by one tick; false when the tick was its skipped
// first one.
bool advanceTimer(TimerRecord& r) {
    if (r.flags & skipTick) {
        r.flags &= ~skipTick;
        return false;
    }
    if (r.limit != 0) {
        advanceOneSecond(r.timeCurrent);
        if (totalSeconds(r.timeCurrent) > totalSeconds(r.timeSet)) r.timeCurrent = r.timeSet;
    } else if (totalSeconds(r.timeCurrent) < longestShownTime) {
        advanceOneSecond(r.timeCurrent);
    }
    return true;
}

void startChainedTimer(TimerTable& table, TimerEvents& events, int row, const TimerRecord& finished) {
    if (finished.runTimer == Next) {
        // The last row starts nothing: a Next chain does not wrap to the top.
        if (row + 1 < table.rowCount()) startTimerRow(table, events, row + 1);
    } else if (finished.runTimer == Top) {
        startTimerRow(table, events, 0);
    }
}

void completeTimer(TimerTable& table, TimerEvents& events, int row, TimerRecord& r) {
    r.state = Finished;
    table.writeTimerRow(row, r);
    runCompletionAction(r, events);
    showCompletionBalloon(r, events);
    startChainedTimer(table, events, row, r);
}
}  // namespace

void tickTimers(TimerTable& table, TimerEvents& events) {
    // The walk goes from the top and the count is read afresh on every row,
    // so that a timer started by Next further down uses up its skipped tick
    // in this same walk.
    for (int row = 0; row < table.rowCount(); ++row) {
        TimerRecord r = table.readTimerRow(row);
        if (r.state != Running) continue;
        const bool advanced = advanceTimer(r);
        table.writeTimerRow(row, r);
        if (!advanced) continue;
        computeTimeLeft(r);
        if (r.limit != 0 && isZeroTime(r.timeLeft)) completeTimer(table, events, row, r);
    }
}

void startTimerRow(TimerTable& table, TimerEvents& events, int index) {
    if (index < 0 || index >= table.rowCount()) return;
    TimerRecord r = table.readTimerRow(index);
    r.flags |= skipTick;
    r.state = Running;
    r.timeCurrent = TimeHms{};
    table.writeTimerRow(index, r);
    table.selectRow(index);  // the clock follows the chain
    events.refreshClock();
}

void runCompletionAction(const TimerRecord& record, TimerEvents& events) {
    if (record.actionType == PlayWave) {
        events.playSound(record.fileName);
    } else {
        events.openProgram(record.fileName, record.parameters);
    }
}

void showCompletionBalloon(const TimerRecord& record, TimerEvents& events) {
    char text[balloonTextSize];
    copyFieldText(text, sizeof text, record.description);
    events.showBalloon(balloonTitle, text);
}
