#include <gtest/gtest.h>

#include <vector>

#include "book_entries.h"
#include "books/book_file.h"
#include "books/book_report.h"

namespace {
LocalDate day(int32_t year, int32_t month, int32_t d) { return LocalDate{year, month, d}; }
BookPeriod period(BookPeriodKind kind, LocalDate from = {}, LocalDate to = {}) { return BookPeriod{kind, from, to}; }

BookLedger ledgerOf(const std::vector<BookEntry>& entries) {
    BookLedger ledger;
    for (const BookEntry& e : entries) EXPECT_TRUE(ledger.add(e));
    return ledger;
}

struct PeriodCase {
    LocalDate today;
    BookPeriod period;
    LocalDate first, last;
};

const PeriodCase periodCases[] = {
    {day(2026, 12, 9), period(BookPeriodKind::Today), day(2026, 12, 9), day(2026, 12, 9)},
    {day(2026, 12, 9), period(BookPeriodKind::ThisWeek), day(2026, 12, 7), day(2026, 12, 13)},  // a Wednesday
    {day(2026, 12, 13), period(BookPeriodKind::ThisWeek), day(2026, 12, 7), day(2026, 12, 13)},  // Sunday ends it
    {day(2027, 1, 1), period(BookPeriodKind::ThisWeek), day(2026, 12, 28), day(2027, 1, 3)},
    {day(2028, 2, 10), period(BookPeriodKind::ThisMonth), day(2028, 2, 1), day(2028, 2, 29)},
    {day(2026, 3, 31), period(BookPeriodKind::LastMonth), day(2026, 2, 1), day(2026, 2, 28)},
    {day(2027, 1, 15), period(BookPeriodKind::LastMonth), day(2026, 12, 1), day(2026, 12, 31)},
    {day(2026, 12, 9), period(BookPeriodKind::Dates, day(2026, 12, 20), day(2026, 11, 5)), day(2026, 11, 5), day(2026, 12, 20)},
};

TEST(BookPeriod, DaysSeenFromToday) {
    for (const PeriodCase& c : periodCases) {
        const DayRange days = periodDays(c.period, c.today);
        EXPECT_EQ(dateText(dateOfDay(days.first)), dateText(c.first)) << dateText(c.today);
        EXPECT_EQ(dateText(dateOfDay(days.last)), dateText(c.last)) << dateText(c.today);
    }
}

// Rows per description in byte order, runs counted as stretches, every
// total in whole cents and seconds; an entry counts in its start's month.
TEST(BookReport, GroupsByDescriptionAndTotalsTheStartsOfThePeriod) {
    const BookLedger ledger = ledgerOf({
        bookEntry("beta", "2026-12-02 10:00:00", "2026-12-02 10:15:00", 250, "2.5 per 15 minute"),
        bookEntry("Alpha", "2026-12-01 09:00:00", "2026-12-01 09:00:01", 1),
        bookEntry("beta", "2026-12-03 10:00:00", "2026-12-03 11:00:00", 3000000000, "", 4, 1200),
        bookEntry("\xC3\xA9t\xC3\xA9", "2026-12-31 23:00:00", "2027-01-01 01:00:00", 10),
        bookEntry("Alpha", "2026-11-30 23:50:00", "2026-12-01 00:10:00", 7),
        bookEntry("Alpha", "2027-01-01 00:00:00", "2027-01-01 00:00:02", 9),
    });
    const BookReport report = buildBookReport(ledger, period(BookPeriodKind::ThisMonth), day(2026, 12, 15));
    ASSERT_EQ(report.rows.size(), 3u);
    const BookRow expected[] = {{"Alpha", 1, 1, 1}, {"beta", 5, 2100, 3000000250}, {"\xC3\xA9t\xC3\xA9", 1, 7200, 10}};
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(report.rows[i].description, expected[i].description);
        EXPECT_EQ(report.rows[i].stretches, expected[i].stretches) << i;
        EXPECT_EQ(report.rows[i].seconds, expected[i].seconds) << i;
        EXPECT_EQ(report.rows[i].cents, expected[i].cents) << i;
    }
    EXPECT_EQ(report.total.stretches, 7);
    EXPECT_EQ(report.total.seconds, 9301);
    EXPECT_EQ(report.total.cents, 3000000261);
    ASSERT_EQ(report.endEntry - report.firstEntry, 4u);
    EXPECT_EQ(ledger.entry(report.firstEntry).description, "Alpha");  // in the order they started
    EXPECT_EQ(ledger.entry(report.firstEntry + 2), bookEntry("beta", "2026-12-03 10:00:00", "2026-12-03 11:00:00", 3000000000, "", 4, 1200));
}

struct ChartCase {
    const char* what;
    BookEntry entry;
    BookPeriod period;
    std::vector<int64_t> daySeconds;
};

const ChartCase chartCases[] = {
    {"across midnight", bookEntry("a", "2026-12-07 23:30:00", "2026-12-08 00:45:00"), period(BookPeriodKind::ThisWeek), {1800, 2700, 0, 0, 0, 0, 0}},
    {"past the period's end", bookEntry("a", "2026-11-30 23:00:00", "2026-12-01 02:00:00"), period(BookPeriodKind::Dates, day(2026, 11, 29), day(2026, 11, 30)), {0, 3600}},
    {"over a month end, counting half its span", bookEntry("a", "2026-12-31 12:00:00", "2027-01-02 12:00:00", 0, "", 3, 86400),
     period(BookPeriodKind::Dates, day(2026, 12, 31), day(2027, 1, 2)), {21600, 43200, 21600}},
    {"a span that does not divide", bookEntry("a", "2026-12-07 23:59:59", "2026-12-08 00:00:02", 0, "", 2, 2),
     period(BookPeriodKind::Dates, day(2026, 12, 7), day(2026, 12, 8)), {0, 2}},
    {"the clock set back", bookEntry("a", "2026-12-08 03:00:00", "2026-12-08 02:30:00", 0, "", 1, 600), period(BookPeriodKind::Today), {600}},
    {"All from the first start to the last end", bookEntry("a", "2026-12-07 22:00:00", "2026-12-08 00:00:00"), period(BookPeriodKind::All), {7200}},
};

TEST(BookReport, ChartSplitsEachEntryOverTheDaysItSpans) {
    for (const ChartCase& c : chartCases) {
        const BookReport report = buildBookReport(ledgerOf({c.entry}), c.period, c.entry.start.date);
        EXPECT_EQ(report.daySeconds, c.daySeconds) << c.what;
    }
    EXPECT_TRUE(buildBookReport(BookLedger(), period(BookPeriodKind::All), day(2026, 1, 1)).daySeconds.empty());
}

// Files come in any order and a file is in the order stretches ended; the
// ledger puts every entry in the order of its start, ties as they came,
// and gives back what it keeps on the side exactly.
TEST(BookLedger, OrdersByStartAndGivesBackEveryField) {
    const BookEntry big = bookEntry("Big", "2026-12-01 10:00:00", "2026-12-01 10:00:05", -9000000000000, "", 70000, 4);
    const BookEntry tieFirst = bookEntry("Tie 1", "2026-12-01 10:00:00", "2026-12-01 11:00:00");
    const BookEntry tieSecond = bookEntry("Tie 2", "2026-12-01 10:00:00", "2026-12-01 10:30:00", 5000000000);
    const BookEntry november = bookEntry("Nov", "2026-11-30 23:59:59", "2026-12-01 00:00:01");
    BookLedger ledger;
    EXPECT_EQ(ledger.addText(appendBookLines({tieFirst, big, tieSecond}, BookFileEnd::Empty)), 3u);
    EXPECT_EQ(ledger.addText(appendBookLines({november}, BookFileEnd::Empty)), 1u);
    const BookEntry expected[] = {november, tieFirst, big, tieSecond};
    ASSERT_EQ(ledger.size(), 4u);
    for (std::size_t i = 0; i < 4; ++i) EXPECT_EQ(ledger.entry(i), expected[i]) << i;
}
}  // namespace
