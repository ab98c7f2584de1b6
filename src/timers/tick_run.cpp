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

bool TickRun::Start::isLaterThan(const Start& other) const {
    return tick != other.tick ? tick > other.tick : walker > other.walker;
}

// The heap's order: the earliest tick first, and within a tick the top row,
// as the walk goes.
bool TickRun::ComesLater::operator()(const Event& a, const Event& b) const {
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
    for (;;) {
        if (events_.empty() || events_.front().tick > endTick_) {
            if (!ringFrozen()) break;
            thawRing(endTick_ + 1);
            continue;
        }
        if (lapTick_ >= 0 && events_.front().tick > lapTick_) {
            // The tick in which the top row was started again is over: it
            // may have brought the ring back to where it was.
            const int64_t lap = lapTick_;
            lapTick_ = -1;
            skipRepeatedLaps(lap);
            continue;
        }
        const Event next = events_.front();
        Row& row = rows_[static_cast<std::size_t>(next.row)];
        const bool current = next.version == row.version;
        if (current && ringFrozen() && startsRingRow(next)) {
            thawRing(next.tick);
            continue;
        }
        std::pop_heap(events_.begin(), events_.end(), ComesLater());
        events_.pop_back();
        if (!current) continue;
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
    std::push_heap(events_.begin(), events_.end(), ComesLater());
}

// What one tick's walk does to a running row it reaches.
void TickRun::visit(int index, int64_t tick) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    TimerRecord& r = row.record;
    ++eventsWalked_;
    row.validThrough = tick;
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

// The row a finish of row `index` starts, or -1: the last row starts
// nothing, as a Next chain does not wrap to the top.
int TickRun::startedByFinish(int index) const {
    const TimerRecord& r = rows_[static_cast<std::size_t>(index)].record;
    if (r.runTimer == Top) return 0;
    if (r.runTimer == Next && index + 1 < static_cast<int>(rows_.size())) return index + 1;
    return -1;
}

void TickRun::finish(int index, int64_t tick) {
    Row& row = rows_[static_cast<std::size_t>(index)];
    TimerRecord& r = row.record;
    r.state = Finished;
    ++row.runs.finishes;
    row.runs.lastEnd = row.runs.lastFinish = tick;
    if (!hasFinished_[static_cast<std::size_t>(index)]) {
        hasFinished_[static_cast<std::size_t>(index)] = true;
        finishedRows_.push_back(index);
    }
    const int started = startedByFinish(index);
    if (started >= 0) start(started, tick, index);
    if (r.runTimer == Top) lapTick_ = tick;
}

// A chain starts a row from zero. A row below the walker is reached later
// in the same tick, which uses up its skip at once; a row above it (the top
// row, started by Top from below) was passed already and skips the next.
// The row below is the next one the walk reaches, so it is visited here
// rather than through the heap.
void TickRun::start(int index, int64_t tick, int walker) {
    Row& row = load(index);
    TimerRecord& r = row.record;
    if (isRunning(r)) {
        // A row below is reached later in this tick, so it has counted up to
        // the tick before; the top row, started from below, was passed.
        row.runs.cutAt.push_back(elapsedAt(row, index > walker ? tick - 1 : tick));
        row.runs.lastEnd = tick;
    }
    if (row.runs.firstStart == 0) row.runs.firstStart = tick;
    row.runs.lastStart = tick;
    r.flags = (r.flags | skipTick) & ~waitsToResume;
    r.state = Running;
    r.timeCurrent = TimeHms{};
    noteStart({tick, walker, index});
    if (index < ringRows_ && walker >= ringRows_) laps_.forget();
    if (index > walker) {
        visit(index, tick);
    } else {
        row.validThrough = tick;
        schedule(index);
    }
}

void TickRun::noteStart(const Start& start) {
    if (start.isLaterThan(lastStart_)) lastStart_ = start;
    if (start.row < ringRows_ && start.isLaterThan(ringLastStart_)) ringLastStart_ = start;
}

// ---- laps of the ring -----------------------------------------------------
//
// Only a Top ring keeps events coming for ever: rows 0 to k, each chaining
// Next to the row below and row k chaining Top back to row 0. A row below
// the ring is started only by the row above it, so it finishes at most once
// more than that row, and m rows below it have at most m (m + 1) events
// however long the gap. The only thing they do to the ring is that a Top
// row among them starts its top row; apart from those starts the ring and
// the rows below go each their own way.
//
// A runner goes round the ring in a lap of 1 + (the set times, each at
// least 1) ticks, so at the end of each tick in which the top row was
// started the ring is compared with how it stood a lap before. When it
// stands the same, and nothing was started in it from outside since, it
// will do the same lap after lap: its rows leave the walk while the rows
// below go on by their own events, and it is brought on by whole laps, and
// walked from there, just before the next finish below that starts its top
// row, and before the end.
//
// What a run walks, then: the ring from the start, and again after
// each start from below, until it stands as it stood a lap before: a lap
// for the rows not reached yet to be read, one for every runner to finish
// the row it was in, one for those that catch up with another to have
// merged with it, up to one to the next start of the top row, the lap seen
// repeating, and less than one before the next start from below or the
// end; 6 laps. In a lap each of its r rows has two events (the skipped
// tick, the finish) for each of at most r runners. A run walks at most
// (1 + the starts from below) * 6 * 2 r^2 events of the ring, and every
// event below it once.

// Rows 0 to k where row k is the first that does not chain Next: a ring if
// it chains Top and none of them is a counter, which would hold on to the
// runner that reaches it. Known once all of them were read.
void TickRun::findRing() {
    int64_t lap = 1;
    for (int i = 0; i < static_cast<int>(rows_.size()); ++i) {
        const Row& row = rows_[static_cast<std::size_t>(i)];
        if (!row.loaded) return;
        const TimerRecord& r = row.record;
        if (r.limit == 0 || (r.runTimer != Next && r.runTimer != Top)) break;
        lap += std::max<int64_t>(1, totalSeconds(r.timeSet));
        if (r.runTimer == Top) {
            ringRows_ = i + 1;
            laps_.setLap(lap);
            return;
        }
    }
    ringRows_ = 0;
}

RingLaps::Phases TickRun::ringPhases(int64_t tick) const {
    RingLaps::Phases phases;
    phases.reserve(static_cast<std::size_t>(ringRows_));
    for (int i = 0; i < ringRows_; ++i) {
        const Row& row = rows_[static_cast<std::size_t>(i)];
        phases.push_back({row.record.state, row.record.flags, elapsedAt(row, tick),
                          row.nextEvent == never ? never : row.nextEvent - tick});
    }
    return phases;
}

std::vector<int64_t> TickRun::ringFinishes() const {
    std::vector<int64_t> finishes;
    for (int i = 0; i < ringRows_; ++i) finishes.push_back(rows_[static_cast<std::size_t>(i)].runs.finishes);
    return finishes;
}

void TickRun::skipRepeatedLaps(int64_t tick) {
    if (ringRows_ < 0) findRing();
    if (ringRows_ <= 0) return;
    if (laps_.cameRound(tick, ringPhases(tick), ringFinishes()) && tick + laps_.lap() <= endTick_) freezeRing(tick);
}

// The event is a finish below the ring that starts one of its rows.
bool TickRun::startsRingRow(const Event& event) const {
    const int started = startedByFinish(event.row);
    return event.row >= ringRows_ && !skipsNextTick(rows_[static_cast<std::size_t>(event.row)].record) &&
           started >= 0 && started < ringRows_;
}

void TickRun::freezeRing(int64_t tick) {
    for (int i = 0; i < ringRows_; ++i) ++rows_[static_cast<std::size_t>(i)].version;  // their events go stale
    frozenAt_ = tick;
}

// Brings the ring on by the whole laps that end before `beforeTick` and
// puts its rows back in the walk, which takes them from there.
void TickRun::thawRing(int64_t beforeTick) {
    const int64_t lap = laps_.lap();
    const int64_t laps = (beforeTick - 1 - frozenAt_) / lap;
    const int64_t by = laps * lap;
    frozenAt_ = -1;
    for (int i = 0; i < ringRows_; ++i) {
        Row& row = rows_[static_cast<std::size_t>(i)];
        row.validThrough += by;
        // A lap that repeats starts over no runner (that would leave one
        // fewer), so each lap skipped ends and begins runs as that one did.
        const int64_t finishes = laps_.finishesInLap()[static_cast<std::size_t>(i)];
        if (finishes > 0) {
            row.runs.finishes += laps * finishes;
            row.runs.lastStart += by;
            row.runs.lastEnd += by;
            row.runs.lastFinish += by;
        }
        if (row.nextEvent == never) continue;
        row.nextEvent += by;
        if (row.nextEvent <= endTick_) pushEvent(i);
    }
    noteStart({ringLastStart_.tick + by, ringLastStart_.walker, ringLastStart_.row});
    // Whether it stops for a start from below or the end, it has no more
    // laps to skip before that.
    laps_.forget();
}

// ---- the result -----------------------------------------------------------

TickReport TickRun::report() const {
    TickReport report;
    report.seconds = endTick_;
    for (std::size_t i = 0; i < rows_.size(); ++i) {
        const Row& row = rows_[i];
        if (!row.loaded || (row.runs.endedRuns() == 0 && row.runs.lastStart == 0)) continue;
        RowRuns runs = row.runs;
        runs.row = static_cast<int>(i);
        runs.id = table_.rowId(runs.row);
        runs.record = row.record;
        report.rows.push_back(std::move(runs));
    }
    return report;
}

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
