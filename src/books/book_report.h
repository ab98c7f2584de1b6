#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "books/book_ledger.h"
#include "books/book_period.h"

// One description's line of the report, or the total.
struct BookRow {
    std::string description;
    int64_t stretches = 0;  // a merged catch-up entry counts each of its runs
    int64_t seconds = 0;
    int64_t cents = 0;
};

// An entry belongs to the period of the day it started; the chart alone
// follows it past midnight.
struct BookReport {
    std::vector<BookRow> rows;  // one per description, in byte order (UTF-8 sorts by code point)
    BookRow total;              // its description left empty
    // The period's entries in the ledger: at(firstEntry) up to before
    // at(endEntry), in the order they started.
    std::size_t firstEntry = 0;
    std::size_t endEntry = 0;
    // The chart: the seconds of each day of the period from `firstDay` on
    // (a day number). For All, the days from the first entry's start to the
    // last one's end; none without entries.
    int64_t firstDay = 0;
    std::vector<int64_t> daySeconds;
};

BookReport buildBookReport(const BookLedger& ledger, const BookPeriod& period, const LocalDate& today);
