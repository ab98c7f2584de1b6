#pragma once
#include <cstdint>
#include <vector>

#include "books/book_entry.h"
#include "timers/tick_report.h"
#include "timers/timer_table.h"

// A stretch a timer has been running since, followed by its identity.
// Times are wall-clock seconds (localSeconds).
struct OpenStretch {
    TimerId id = 0;
    int64_t start = 0;
    int64_t startElapsed = 0;  // the timer's elapsed seconds then
    int64_t startCents = 0;    // and its sum
};

// Turns the timers' running into the books' entries. A stretch begins when
// a timer starts running (by the user, a chain, the command line) and ends
// when it stops: paused, finished, started over, edited, deleted, replaced
// by a set's load, or at the program's end. Its entry adds what the
// timer's Sum column gained meanwhile, so the entries of a run add up to
// that column; a stretch under a second is not kept.
class StretchRecorder {
public:
    // A command is about to give the timer's row other values (Restart,
    // Edit, Delete): its stretch ends with the values it has now.
    void endStretch(TimerId id, const TimerRecord& record, int64_t now);
    // Every stretch ends with its row as it stands (a load, the exit).
    void endAll(const TimerTable& table, int64_t now);
    // After a command: a timer that no longer runs ends its stretch, and one
    // that runs without a stretch begins one. Only the rows' images and
    // identities are read, and the records of those that change.
    void follow(const TimerTable& table, int64_t now);
    // A tick's runs, the tick having run at `now`. The runs of one timer
    // that a catch-up ended make one entry, which counts them.
    void tickReported(const TickReport& report, int64_t now);
    const std::vector<OpenStretch>& open() const { return open_; }
    // The entries of the stretches that ended, oldest first; taken, they
    // are the caller's to keep.
    std::vector<BookEntry> takeEntries();

private:
    std::vector<OpenStretch>::iterator find(TimerId id);
    void begin(TimerId id, const TimerRecord& record, int64_t now);
    void keep(BookEntry entry);
    void endRuns(const RowRuns& runs, int64_t tickStart);

    std::vector<OpenStretch> open_;  // a timer has one at most
    std::vector<BookEntry> entries_;
};

// The entry of a stretch that ends with the timer's record as `record`
// stands: from its start to `end`, with the seconds and the sum it gained.
BookEntry stretchEntry(const OpenStretch& stretch, const TimerRecord& record, int64_t end);
// Whether the books keep such an entry: a second or more, within what a
// line can hold (not after a clock set back by decades).
bool isKeptStretch(const BookEntry& entry);
