#pragma once
#include <cstdint>

#include "books/local_time.h"

enum class BookPeriodKind { Today, ThisWeek, ThisMonth, LastMonth, All, Dates };

// What the report looks at; `from` and `to` count only for Dates, both
// days included, in either order.
struct BookPeriod {
    BookPeriodKind kind = BookPeriodKind::Today;
    LocalDate from;
    LocalDate to;
};

// First and last day (day numbers, see dayNumber), both included.
struct DayRange {
    int64_t first = 0;
    int64_t last = 0;
};

// The days of a period seen from `today`. A week is the ISO week, Monday to
// Sunday; All is every day of the years 0000 to 9999.
DayRange periodDays(const BookPeriod& period, const LocalDate& today);
