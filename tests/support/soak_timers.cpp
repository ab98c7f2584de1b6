#include "soak_timers.h"

#include <cstdio>
#include <cstring>

namespace soak {
namespace {
TimerRecord timer(const char* kind, int row) {
    TimerRecord r;
    std::snprintf(r.description, sizeof r.description, "%s timer in row %d", kind, row);
    std::strcpy(r.fileName, ".\\wave files\\reminder.wav");
    std::strcpy(r.unit, "second");
    return r;
}

TimerRecord ringTimer(int row) {
    TimerRecord r = timer("Ring", row);
    r.limit = 1;
    r.timeSet = timeFromSeconds(ringSetSeconds(row));
    r.runTimer = row == ringRows - 1 ? Top : Next;
    // Only the top one runs at first; the chain starts the others.
    r.state = row == 0 ? Running : Paused;
    if (row % 2) {
        r.coastInt = 1;
        std::strcpy(r.coastFrac, "25");
        std::strcpy(r.unit, "minute");
    }
    return r;
}

TimerRecord oneShotTimer(int row) {
    TimerRecord r = timer("One-shot", row);
    r.limit = 1;
    r.timeSet = timeFromSeconds(oneShotSetSeconds(row));
    if (row % 8 == 0) {
        // A program that is not there: the shell fails quietly.
        r.actionType = RunProgram;
        std::strcpy(r.fileName, "no-such-program-horalet-soak.exe");
        std::strcpy(r.parameters, "/quiet");
    }
    return r;
}

TimerRecord counterTimer(int row) {
    TimerRecord r = timer("Counter", row);
    r.state = (row - firstCounter) % pausedEvery == 0 ? Paused : Running;
    r.coastInt = row % 7;
    std::strcpy(r.coastFrac, "5");
    r.forValue = row % 3 + 1;
    std::strcpy(r.unit, row % 2 ? "hour" : "minute");
    if (row == nearTheStopRow) r.timeCurrent = {99, 0, 0};
    return r;
}
}  // namespace

int ringSetSeconds(int row) { return 2 + row % 5; }

int oneShotSetSeconds(int row) { return 90 * (row - firstOneShot + 1); }

void fillTimers(TimerTable& table) {
    table.deleteAllRows();
    for (int row = 0; row < maxTimers; ++row) {
        if (row < firstOneShot) {
            table.writeTimerRow(-1, ringTimer(row));
        } else if (row < firstCounter) {
            table.writeTimerRow(-1, oneShotTimer(row));
        } else {
            table.writeTimerRow(-1, counterTimer(row));
        }
    }
    table.selectRow(0);
}

void fillTimersWithOneSecondRing(TimerTable& table) {
    fillTimers(table);
    for (int row = 0; row < ringRows; ++row) {
        TimerRecord r = table.readTimerRow(row);
        r.timeSet = {0, 0, 1};
        table.writeTimerRow(row, r);
    }
}

// The top ring timer completes after its set time; each later one after its
// own (a Next start further down uses up its skipped tick in the same walk);
// the top one, started by Top from below, waits one tick more.
int64_t expectedCompletions(int64_t ticks) {
    int64_t completions = 0;
    for (int shot = firstOneShot; shot < firstCounter; ++shot) completions += oneShotSetSeconds(shot) <= ticks;
    for (int64_t at = 0, row = 0;; row = (row + 1) % ringRows) {
        at += ringSetSeconds(static_cast<int>(row)) + (row == 0 && at > 0 ? 1 : 0);
        if (at > ticks) return completions;
        ++completions;
    }
}
}  // namespace soak
