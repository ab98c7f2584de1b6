#include "books/stretch_recorder.h"

#include <algorithm>
#include <unordered_map>

#include "books/book_price.h"

namespace {
// The sum the timer shows at `elapsed` seconds.
int64_t centsAt(TimerRecord record, int64_t elapsed) {
    record.timeCurrent = timeFromSeconds(elapsed);
    return sumCents(record);
}

int64_t elapsedOf(const TimerRecord& record) { return totalSeconds(record.timeCurrent); }

BookEntry entryOf(const TimerRecord& record, int64_t start, int64_t end, int64_t seconds, int64_t cents,
                  int64_t runs) {
    BookEntry entry;
    entry.description = record.description;
    entry.start = dateTimeOfSeconds(start);
    entry.end = dateTimeOfSeconds(end);
    entry.seconds = seconds;
    entry.price = bookPriceText(record);
    entry.cents = cents;
    entry.runs = static_cast<int32_t>(std::min<int64_t>(runs, INT32_MAX));
    return entry;
}
}  // namespace

BookEntry stretchEntry(const OpenStretch& stretch, const TimerRecord& record, int64_t end) {
    const int64_t seconds = std::max<int64_t>(0, elapsedOf(record) - stretch.startElapsed);
    return entryOf(record, stretch.start, end, seconds, sumCents(record) - stretch.startCents, 1);
}

std::vector<OpenStretch>::iterator StretchRecorder::find(TimerId id) {
    return std::find_if(open_.begin(), open_.end(), [id](const OpenStretch& s) { return s.id == id; });
}

void StretchRecorder::begin(TimerId id, const TimerRecord& record, int64_t now) {
    open_.push_back({id, now, elapsedOf(record), sumCents(record)});
}

bool isKeptStretch(const BookEntry& entry) { return entry.seconds >= 1 && isStorableEntry(entry); }

void StretchRecorder::keep(BookEntry entry) {
    if (isKeptStretch(entry)) entries_.push_back(std::move(entry));
}

void StretchRecorder::endStretch(TimerId id, const TimerRecord& record, int64_t now) {
    const auto stretch = find(id);
    if (stretch == open_.end()) return;
    BookEntry entry = stretchEntry(*stretch, record, now);
    open_.erase(stretch);
    keep(std::move(entry));
}

void StretchRecorder::endAll(const TimerTable& table, int64_t now) {
    while (!open_.empty()) {
        const OpenStretch stretch = open_.front();
        const int row = table.findRow(stretch.id);
        if (row < 0) {
            open_.erase(open_.begin());  // gone without a word: nothing known of its end
            continue;
        }
        endStretch(stretch.id, table.readTimerRow(row), now);
    }
}

void StretchRecorder::follow(const TimerTable& table, int64_t now) {
    std::unordered_map<TimerId, int> rows;
    for (int row = 0; row < table.rowCount(); ++row) rows[table.rowId(row)] = row;
    for (std::size_t i = 0; i < open_.size();) {
        const auto row = rows.find(open_[i].id);
        if (row == rows.end()) {
            open_.erase(open_.begin() + static_cast<std::ptrdiff_t>(i));
        } else if (table.list().rowImage(row->second) != Running) {
            endStretch(open_[i].id, table.readTimerRow(row->second), now);
        } else {
            ++i;
        }
    }
    for (int row = 0; row < table.rowCount(); ++row) {
        if (table.list().rowImage(row) != Running) continue;
        const TimerId id = table.rowId(row);
        if (find(id) == open_.end()) begin(id, table.readTimerRow(row), now);
    }
}

// Every run that ended began at zero, but the first, which began where the
// open stretch did; one that ended at its set time gained the sum there, one
// cut short the sum where it stood.
void StretchRecorder::endRuns(const RowRuns& runs, int64_t tickStart) {
    const TimerRecord& r = runs.record;
    const auto stretch = find(runs.id);
    OpenStretch first{runs.id, tickStart + runs.firstStart, 0, centsAt(r, 0)};
    if (stretch != open_.end()) {
        first = *stretch;
        open_.erase(stretch);
    } else if (runs.firstStart == 0) {
        first.start = tickStart;  // it ran unseen: from the tick's start at least
    }
    const int64_t set = totalSeconds(r.timeSet);
    int64_t seconds = runs.finishes * set - first.startElapsed;
    int64_t cents = runs.finishes * centsAt(r, set) - first.startCents - (runs.endedRuns() - 1) * centsAt(r, 0);
    for (int64_t cut : runs.cutAt) {
        seconds += cut;
        cents += centsAt(r, cut);
    }
    keep(entryOf(r, first.start, tickStart + runs.lastEnd, seconds, cents, runs.endedRuns()));
}

void StretchRecorder::tickReported(const TickReport& report, int64_t now) {
    const int64_t tickStart = now - report.seconds;  // tick k ran at tickStart + k
    for (const RowRuns& runs : report.rows) {
        if (runs.endedRuns() > 0) endRuns(runs, tickStart);
        if (runs.record.state == Running && runs.lastStart > 0 && find(runs.id) == open_.end()) {
            open_.push_back({runs.id, tickStart + runs.lastStart, 0, centsAt(runs.record, 0)});
        }
    }
}

std::vector<BookEntry> StretchRecorder::takeEntries() {
    std::vector<BookEntry> taken;
    taken.swap(entries_);
    return taken;
}
