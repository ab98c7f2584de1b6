#include "books/book_report.h"

#include <algorithm>
#include <tuple>

#include "books/day_split.h"

namespace {
constexpr int64_t secondsPerDay = 86400;

// Amounts come from the file; a sum of hand-made ones stops at the limit
// instead of wrapping round to the other sign.
int64_t addCents(int64_t sum, int64_t cents) {
    if (cents > 0 && sum > INT64_MAX - cents) return INT64_MAX;
    if (cents < 0 && sum < INT64_MIN - cents) return INT64_MIN;
    return sum + cents;
}

void addTo(BookRow& row, const LedgerEntry& entry) {
    row.stretches += entry.runs;
    row.seconds += entry.seconds;
    row.cents = addCents(row.cents, entry.cents);
}

// All shows the days that have entries, not ten thousand years.
DayRange chartDays(const BookLedger& ledger, const BookPeriod& period, const LocalDate& today) {
    const DayRange days = periodDays(period, today);
    if (period.kind != BookPeriodKind::All || ledger.size() == 0) return days;
    const int64_t first = ledger.at(0).start, last = std::max(first, ledger.latestEnd() - 1);
    return {dayOfSeconds(first), dayOfSeconds(last)};
}

std::vector<BookRow> rowsInOrder(const BookLedger& ledger, std::vector<BookRow>& byText) {
    std::vector<BookRow> rows;
    for (std::size_t id = 0; id < byText.size(); ++id) {
        if (byText[id].stretches == 0) continue;
        byText[id].description = ledger.text(static_cast<uint32_t>(id));
        rows.push_back(std::move(byText[id]));
    }
    std::sort(rows.begin(), rows.end(),
              [](const BookRow& a, const BookRow& b) { return a.description < b.description; });
    return rows;
}
}  // namespace

BookReport buildBookReport(const BookLedger& ledger, const BookPeriod& period, const LocalDate& today) {
    BookReport report;
    const DayRange days = periodDays(period, today);
    std::tie(report.firstEntry, report.endEntry) =
        ledger.startingWithin(days.first * secondsPerDay, (days.last + 1) * secondsPerDay);
    const DayRange chart = chartDays(ledger, period, today);
    report.firstDay = chart.first;
    if (period.kind != BookPeriodKind::All || ledger.size() > 0) {
        report.daySeconds.assign(static_cast<std::size_t>(chart.last - chart.first + 1), 0);
    }
    std::vector<BookRow> byText(ledger.textCount());
    for (std::size_t i = report.firstEntry; i < report.endEntry; ++i) {
        const LedgerEntry entry = ledger.at(i);
        addTo(byText[entry.description], entry);
        addTo(report.total, entry);
        spreadOverDays(entry, report.firstDay, report.daySeconds);
    }
    report.rows = rowsInOrder(ledger, byText);
    return report;
}
