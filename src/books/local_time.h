#pragma once
#include <cstdint>
#include <string>
#include <string_view>

// A date and time as the wall clock showed it, with no time zone: the books
// keep what the user saw, so a stretch reads the same wherever and whenever
// the file is opened. Years 0000 to 9999, the ISO text's four digits.
struct LocalDate {
    int32_t year = 1970;
    int32_t month = 1;
    int32_t day = 1;
};

struct LocalDateTime {
    LocalDate date;
    int32_t hour = 0;
    int32_t minute = 0;
    int32_t second = 0;
};

// Days since 1970-01-01 on the proleptic Gregorian calendar, and back.
int64_t dayNumber(const LocalDate& date);
LocalDate dateOfDay(int64_t day);

// Seconds since 1970-01-01 00:00:00 on the wall clock, and back. Every day
// counts 86400: across a change to or from summer time the difference of
// two readings is an hour off what really elapsed, which is why an entry
// keeps the seconds it counted beside its start and end.
int64_t localSeconds(const LocalDateTime& time);
LocalDateTime dateTimeOfSeconds(int64_t seconds);
// The day number of the day such a second falls on.
int64_t dayOfSeconds(int64_t seconds);
inline int64_t secondsBetween(const LocalDateTime& from, const LocalDateTime& to) {
    return localSeconds(to) - localSeconds(from);
}

bool operator==(const LocalDate& a, const LocalDate& b);
bool operator<(const LocalDate& a, const LocalDate& b);
bool operator==(const LocalDateTime& a, const LocalDateTime& b);
bool operator<(const LocalDateTime& a, const LocalDateTime& b);

int daysInMonth(int32_t year, int32_t month);
// 1 for Monday to 7 for Sunday, as ISO weeks count.
int isoWeekday(const LocalDate& date);

// "2026-12-07" and "2026-12-07 14:05:09".
std::string dateText(const LocalDate& date);
std::string dateTimeText(const LocalDateTime& time);
// Exactly the form dateTimeText writes, and only a time that exists on
// the calendar and the clock (no 24:00:00, no February 30th).
bool parseDateTimeText(std::string_view text, LocalDateTime& time);
