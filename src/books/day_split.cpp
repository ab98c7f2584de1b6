#include "books/day_split.h"

#include <algorithm>

namespace {
constexpr int64_t secondsPerDay = 86400;

// The part of the entry's seconds counted before the wall-clock moment `at`.
// The product stays below 2^63: the seconds are below 2^32 and the span
// below 2^31 (isStorableEntry).
int64_t countedBefore(const LedgerEntry& entry, int64_t at) {
    const int64_t span = entry.end - entry.start;
    const int64_t elapsed = std::min(std::max(at - entry.start, int64_t{0}), span);
    return entry.seconds == span ? elapsed : entry.seconds * elapsed / span;
}
}  // namespace

void spreadOverDays(const LedgerEntry& entry, int64_t firstDay, std::vector<int64_t>& daySeconds) {
    const int64_t lastDay = firstDay + static_cast<int64_t>(daySeconds.size()) - 1;
    if (entry.end <= entry.start) {
        const int64_t day = dayOfSeconds(entry.start);
        if (day >= firstDay && day <= lastDay) daySeconds[static_cast<std::size_t>(day - firstDay)] += entry.seconds;
        return;
    }
    const int64_t from = std::max(dayOfSeconds(entry.start), firstDay);
    const int64_t to = std::min(dayOfSeconds(entry.end - 1), lastDay);
    for (int64_t day = from; day <= to; ++day) {
        const int64_t share = countedBefore(entry, (day + 1) * secondsPerDay) - countedBefore(entry, day * secondsPerDay);
        daySeconds[static_cast<std::size_t>(day - firstDay)] += share;
    }
}
