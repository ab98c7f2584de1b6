#include "timers/tick_engine.h"

#include <cstring>

#include "timers/field_text.h"
#include "timers/tick_run.h"

namespace {
// The tray balloon holds 255 characters of text.
constexpr int balloonTextSize = 256;
const char* const balloonTitle = "Timer";

std::string cutToBalloon(const char* text) {
    char cut[balloonTextSize];
    copyFieldText(cut, sizeof cut, text);
    return cut;
}

// The descriptions of the timers that finished, in the order they did;
// a timer without one adds no empty name to the list.
std::string finishedNames(const TickRun& run) {
    std::string names;
    for (int row : run.finishedRows()) {
        const char* description = run.record(row).description;
        if (!*description) continue;
        if (!names.empty()) names += ", ";
        names += description;
        if (names.size() >= balloonTextSize) break;  // the balloon shows no more
    }
    return names;
}

// A sound started asynchronously cuts off the one before, so among the
// timers a catch-up finishes the same wave file twice would only start it
// again: it is played once, as the last of them would have left it playing.
bool soundStartedAlready(const TickRun& run, int row) {
    const TimerRecord& r = run.record(row);
    if (r.actionType != PlayWave) return false;
    for (int earlier : run.finishedRows()) {
        if (earlier == row) return false;
        const TimerRecord& e = run.record(earlier);
        if (e.actionType == PlayWave && std::strcmp(e.fileName, r.fileName) == 0) return true;
    }
    return false;
}

// A sound that repeats until the user is back is the repeats' to play.
bool repeatsPlayIt(const TickReport& report, int row) {
    for (const RowRuns& runs : report.rows) {
        if (runs.row == row) return soundRepeats(runs, report.seconds);
    }
    return false;
}

void reportCompletions(const TickRun& run, const TickReport& report, const TimerTable& table, TimerEvents& events) {
    const int64_t seconds = report.seconds;
    const std::vector<int>& finished = run.finishedRows();
    for (int row : finished) {
        if ((seconds == 1 || !soundStartedAlready(run, row)) && !repeatsPlayIt(report, row)) {
            runCompletionAction(run.record(row), events);
        }
        // A single second finishes each timer at most once, so each shows
        // its own balloon, as a catch-up with one finished timer does.
        if (seconds == 1 || finished.size() == 1) showCompletionBalloon(run.record(row), events);
        events.timerFinished(row, table.rowId(row));
    }
    if (seconds > 1 && finished.size() > 1) {
        const std::string text = finishedMeanwhileText(static_cast<int>(finished.size()), finishedNames(run));
        events.showBalloon(balloonTitle, text.c_str());
    }
}
}  // namespace

bool tickTimers(TimerTable& table, TimerEvents& events, int64_t seconds) {
    if (seconds < 1) return false;
    TickRun run(table);
    run.advance(seconds);
    const bool heldChange = run.writeBack();
    const TickReport report = run.report();
    reportCompletions(run, report, table, events);
    events.tickReported(report);
    events.runningAfterTick(run.runningTimers());
    if (run.lastStartedRow() >= 0) {
        table.selectRow(run.lastStartedRow());  // the clock follows the chain
        events.refreshClock();
    }
    return heldChange;
}

void startTimerRow(TimerTable& table, TimerEvents& events, int index) {
    if (index < 0 || index >= table.rowCount()) return;
    TimerRecord r = table.readTimerRow(index);
    r.flags = (r.flags | skipTick) & ~waitsToResume;
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
    events.showBalloon(balloonTitle, cutToBalloon(record.description).c_str());
}

std::string finishedMeanwhileText(int count, const std::string& names) {
    const std::string head = std::to_string(count) + " timers finished meanwhile";
    return cutToBalloon((names.empty() ? head + "." : head + ": " + names).c_str());
}
