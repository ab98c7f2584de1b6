#include "books/book_period.h"

#include <algorithm>

namespace {
DayRange wholeMonth(int32_t year, int32_t month) {
    const int64_t first = dayNumber(LocalDate{year, month, 1});
    return {first, first + daysInMonth(year, month) - 1};
}
}  // namespace

DayRange periodDays(const BookPeriod& period, const LocalDate& today) {
    const int64_t day = dayNumber(today);
    switch (period.kind) {
    case BookPeriodKind::Today: return {day, day};
    case BookPeriodKind::ThisWeek: {
        const int64_t monday = day - (isoWeekday(today) - 1);
        return {monday, monday + 6};
    }
    case BookPeriodKind::ThisMonth: return wholeMonth(today.year, today.month);
    case BookPeriodKind::LastMonth:
        return today.month == 1 ? wholeMonth(today.year - 1, 12) : wholeMonth(today.year, today.month - 1);
    case BookPeriodKind::All:
        return {dayNumber(LocalDate{0, 1, 1}), dayNumber(LocalDate{9999, 12, 31})};
    case BookPeriodKind::Dates: {
        const int64_t from = dayNumber(period.from), to = dayNumber(period.to);
        return {std::min(from, to), std::max(from, to)};
    }
    }
    return {day, day};
}
