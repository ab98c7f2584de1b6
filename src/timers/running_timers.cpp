#include "timers/running_timers.h"

#include <algorithm>
#include <cstring>

void RunningTimers::keep(Shown& shown, int row, int64_t seconds, const TimerRecord& record) {
    shown.row = row;
    shown.seconds = seconds;
    std::memcpy(shown.name, record.description, sizeof shown.name);
    shown.name[sizeof shown.name - 1] = '\0';
}

void RunningTimers::add(int row, const TimerRecord& record) {
    if (record.state != Running) return;
    ++count_;
    if (record.limit != 0) {
        // A hand-edited row can hold a time past its set time; it has
        // nothing left, not less than nothing.
        const int64_t left = std::max<int64_t>(0, totalSeconds(record.timeSet) - totalSeconds(record.timeCurrent));
        if (soonest_.row < 0 || left < soonest_.seconds) keep(soonest_, row, left, record);
    } else if (countUp_.row < 0) {
        keep(countUp_, row, totalSeconds(record.timeCurrent), record);
    }
}

int64_t RunningTimers::shownSeconds() const { return soonest_.row >= 0 ? soonest_.seconds : countUp_.seconds; }

const char* RunningTimers::shownName() const {
    return soonest_.row >= 0 ? soonest_.name : countUp_.name;
}

RunningTimers findRunningTimers(const TimerTable& table) {
    RunningTimers running;
    for (int row = 0; row < table.rowCount(); ++row) {
        // The image is the state: a row that does not run is not read.
        if (table.list().rowImage(row) == Running) running.add(row, table.readTimerRow(row));
    }
    return running;
}
