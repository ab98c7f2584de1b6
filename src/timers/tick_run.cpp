#include "timers/tick_run.h"

#include <algorithm>
#include <limits>

namespace {
constexpr int64_t never = std::numeric_limits<int64_t>::max();

bool isRunning(const TimerRecord& r) { return r.state == Running; }
bool skipsNextTick(const TimerRecord& r) { return (r.flags & skipTick) != 0; }

// The elapsed seconds of a running timer after `seconds` more ticks in
// which it has no event: a limited one stays below its set time (reaching
// it is an event), an unlimited one stops at the longest time the table can
// show, past which it would start over from zero.
int64_t countedOn(const TimerRecord& r, int64_t elapsed, int64_t seconds) {
    if (r.limit != 0) return elapsed + seconds;
    if (elapsed >= longestTimeSeconds) return elapsed;
    return std::min(elapsed + seconds, longestTimeSeconds);
}

bool sameTime(const TimeHms& a, const TimeHms& b) {
    return a.hours == b.hours && a.minutes == b.minutes && a.seconds == b.seconds;
}
}  // namespace

bool TickRun::RowPhase::operator==(const RowPhase& other) const {
    return state == other.state && flags == other.flags && elapsed == other.elapsed &&
           untilEvent == other.untilEvent;
}

// The heap's order: the earliest tick first, and within a tick the top row,
// as the walk goes.
bool TickRun::comesLater(const Event& a, const Event& b) {
    return a.tick != b.tick ? a.tick > b.tick : a.row > b.row;
}

TickRun::TickRun(TimerTable& table)
    : table_(table), rows_(static_cast<std::size_t>(table.rowCount())), hasFinished_(rows_.size(), false) {}

TickRun::Row& TickRun::load(int index) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    if (!row.loaded) {
        row.before = table_.readTimerRow(index);
        row.record = row.before;
        row.loaded = true;
    }
    return row;
}

// ---- the walk, one event at a time ----------------------------------------

void TickRun::advance(int64_t seconds) {
    endTick_ = seconds;
    // The image is the state: only running rows need reading now.
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        if (table_.list().rowImage(i) != Running) continue;
        load(i);
        schedule(i);
    }
    while (!events_.empty() && events_.front().tick <= endTick_) {
        if (lapTick_ >= 0 && events_.front().tick > lapTick_) {
            // The tick in which the top row was started again is over: it
            // may have brought a chain back to where it was.
            const int64_t lap = lapTick_;
            lapTick_ = -1;
            skipRepeatedLaps(lap);
            continue;
        }
        const Event next = events_.front();
        std::pop_heap(events_.begin(), events_.end(), comesLater);
        events_.pop_back();
        Row& row = rows_[static_cast<std::size_t>(next.row)];
        if (next.version != row.version) continue;
        bringTo(row, next.tick - 1);
        visit(next.row, next.tick);
    }
    for (Row& row : rows_) {
        if (row.loaded) bringTo(row, endTick_);
    }
}

RunningTimers TickRun::runningTimers() const {
    RunningTimers running;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].loaded) running.add(static_cast<int>(i), rows_[i].record);
    }
    return running;
}

int64_t TickRun::elapsedAt(const Row& row, int64_t tick) const {
    const TimerRecord& r = row.record;
    const int64_t elapsed = totalSeconds(r.timeCurrent);
    if (tick <= row.validThrough || !isRunning(r) || skipsNextTick(r)) return elapsed;
    return countedOn(r, elapsed, tick - row.validThrough);
}

void TickRun::bringTo(Row& row, int64_t tick) {
    if (tick <= row.validThrough) return;
    const int64_t elapsed = elapsedAt(row, tick);
    if (elapsed != totalSeconds(row.record.timeCurrent)) row.record.timeCurrent = timeFromSeconds(elapsed);
    row.validThrough = tick;
}

void TickRun::schedule(int index) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    const TimerRecord& r = row.record;
    ++row.version;
    if (!isRunning(r)) {
        row.nextEvent = never;
    } else if (skipsNextTick(r)) {
        row.nextEvent = row.validThrough + 1;
    } else if (r.limit != 0) {
        row.nextEvent = row.validThrough + std::max<int64_t>(1, totalSeconds(r.timeSet) - totalSeconds(r.timeCurrent));
    } else {
        row.nextEvent = never;  // counts up without an event of its own
    }
    if (row.nextEvent <= endTick_) pushEvent(index);
}

void TickRun::pushEvent(int index) {
    const Row& row = rows_[static_cast<std::size_t>(index)];
    events_.push_back({row.nextEvent, index, row.version});
    std::push_heap(events_.begin(), events_.end(), comesLater);
}

void TickRun::rebuildEvents() {
    events_.clear();
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const Row& row = rows_[static_cast<std::size_t>(i)];
        if (row.loaded && row.nextEvent <= endTick_) pushEvent(i);
    }
}

// What one tick's walk does to a running row it reaches.
void TickRun::visit(int index, int64_t tick) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    TimerRecord& r = row.record;
    ++eventsWalked_;
    row.validThrough = tick;
    row.lastEventTick = tick;
    if (skipsNextTick(r)) {
        r.flags &= ~skipTick;
    } else if (r.limit != 0) {
        r.timeCurrent = timeFromSeconds(totalSeconds(r.timeCurrent) + 1);
        if (totalSeconds(r.timeCurrent) > totalSeconds(r.timeSet)) r.timeCurrent = r.timeSet;
        computeTimeLeft(r);
        if (isZeroTime(r.timeLeft)) finish(index, tick);
    } else {
        r.timeCurrent = timeFromSeconds(countedOn(r, totalSeconds(r.timeCurrent), 1));
    }
    schedule(index);
}

void TickRun::finish(int index, int64_t tick) {
    TimerRecord& r = rows_[static_cast<std::size_t>(index)].record;
    r.state = Finished;
    if (!hasFinished_[static_cast<std::size_t>(index)]) {
        hasFinished_[static_cast<std::size_t>(index)] = true;
        finishedRows_.push_back(index);
    }
    if (r.runTimer == Next) {
        // The last row starts nothing: a Next chain does not wrap to the top.
        if (index + 1 < static_cast<int>(rows_.size())) start(index + 1, tick, index);
    } else if (r.runTimer == Top) {
        start(0, tick, index);
        lapTick_ = tick;
    }
}

// A chain starts a row from zero. A row below the walker is reached later
// in the same tick, which uses up its skip at once; a row above it (the top
// row, started by Top from below) was passed already and skips the next.
void TickRun::start(int index, int64_t tick, int walker) {
    Row& row = load(index);
    TimerRecord& r = row.record;
    r.flags |= skipTick;
    r.state = Running;
    r.timeCurrent = TimeHms{};
    row.validThrough = index > walker ? tick - 1 : tick;
    row.lastEventTick = tick;
    lastStarted_ = index;
    schedule(index);
}

// ---- laps of a chain ------------------------------------------------------
//
// Only a Top chain keeps events coming for ever: without one, every row is
// started again only by the row above it, and the top row by nobody. So at
// the end of each tick in which Top started the top row, the rows are
// compared with how they stood after earlier such ticks. When every row
// that had an event since then is back in the same phase (state, skip,
// elapsed time, ticks to its next event), the rows in between evolved on
// their own and will do the same again, lap after lap, until a row outside
// them has an event; those whole laps are skipped at once.

TickRun::Snapshot TickRun::snapshotAt(int64_t tick) const {
    Snapshot snapshot{tick, std::vector<RowPhase>(rows_.size(), RowPhase{0, 0, 0, 0})};
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        if (!row.loaded) continue;  // never touched, so never compared
        snapshot.phases[i] = {row.record.state, row.record.flags, elapsedAt(row, tick),
                              row.nextEvent == never ? never : row.nextEvent - tick};
    }
    return snapshot;
}

bool TickRun::repeatsSince(const Snapshot& earlier, const Snapshot& now) const {
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        if (rows_[i].lastEventTick > earlier.tick && !(earlier.phases[i] == now.phases[i])) return false;
    }
    return true;
}

int64_t TickRun::firstEventOfRowsUntouchedSince(int64_t tick) const {
    int64_t first = never;
    for (const Row& row : rows_) {
        if (row.loaded && row.lastEventTick <= tick) first = std::min(first, row.nextEvent);
    }
    return first;
}

void TickRun::shiftRowsTouchedSince(int64_t tick, int64_t by) {
    for (Row& row : rows_) {
        if (!row.loaded || row.lastEventTick <= tick) continue;
        row.validThrough += by;
        if (row.nextEvent != never) row.nextEvent += by;
        row.lastEventTick += by;
    }
}

void TickRun::skipRepeatedLaps(int64_t tick) {
    Snapshot now = snapshotAt(tick);
    for (auto earlier = laps_.rbegin(); earlier != laps_.rend(); ++earlier) {
        if (!repeatsSince(*earlier, now)) continue;
        const int64_t period = tick - earlier->tick;
        const int64_t outsideEvent = firstEventOfRowsUntouchedSince(earlier->tick);
        const int64_t until = outsideEvent == never ? endTick_ : std::min(endTick_, outsideEvent - 1);
        const int64_t skipped = (until - tick) / period * period;
        if (skipped > 0) {
            shiftRowsTouchedSince(earlier->tick, skipped);
            rebuildEvents();
            laps_.clear();
            return;
        }
        break;
    }
    laps_.push_back(std::move(now));
    // A chain with several timers running in it at once comes back to where
    // it was only after as many laps as it has runners, and there are never
    // more runners than rows.
    if (laps_.size() > rows_.size()) laps_.erase(laps_.begin());
}

// ---- the result -----------------------------------------------------------

bool TickRun::writeBack() {
    bool heldChange = false;
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const Row& row = rows_[static_cast<std::size_t>(i)];
        if (!row.loaded) continue;
        const bool held = row.before.state != row.record.state || row.before.flags != row.record.flags;
        if (held || !sameTime(row.before.timeCurrent, row.record.timeCurrent)) {
            table_.updateTimerRow(i, row.before, row.record);
        }
        heldChange = heldChange || held;
    }
    return heldChange;
}
