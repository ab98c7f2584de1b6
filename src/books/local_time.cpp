#include "books/local_time.h"

#include <cstdio>
#include <tuple>

namespace {
constexpr int64_t secondsPerDay = 86400;

// Rounds towards minus infinity, so the hours before 1970 fall on their own day.
int64_t floorDivide(int64_t value, int64_t divisor) {
    const int64_t quotient = value / divisor;
    return (value % divisor < 0) ? quotient - 1 : quotient;
}

bool isLeapYear(int32_t year) {
    return (year % 4 == 0 && year % 100 != 0) || year % 400 == 0;
}

int64_t timeOfDay(const LocalDateTime& t) {
    return (static_cast<int64_t>(t.hour) * 60 + t.minute) * 60 + t.second;
}

// Reads `count` digits at `at`; false on anything else.
bool readDigits(std::string_view text, std::size_t at, std::size_t count, int32_t& value) {
    value = 0;
    for (std::size_t i = at; i < at + count; ++i) {
        if (text[i] < '0' || text[i] > '9') return false;
        value = value * 10 + (text[i] - '0');
    }
    return true;
}
}  // namespace

// The days-from-civil count over 400-year eras (H. Hinnant's algorithm),
// exact for every year and free of loops.
int64_t dayNumber(const LocalDate& date) {
    const int64_t year = static_cast<int64_t>(date.year) - (date.month <= 2 ? 1 : 0);
    const int64_t era = floorDivide(year, 400);
    const int64_t yearOfEra = year - era * 400;
    const int64_t monthFromMarch = (date.month + 9) % 12;
    const int64_t dayOfYear = (153 * monthFromMarch + 2) / 5 + date.day - 1;
    const int64_t dayOfEra = yearOfEra * 365 + yearOfEra / 4 - yearOfEra / 100 + dayOfYear;
    return era * 146097 + dayOfEra - 719468;
}

LocalDate dateOfDay(int64_t day) {
    const int64_t shifted = day + 719468;
    const int64_t era = floorDivide(shifted, 146097);
    const int64_t dayOfEra = shifted - era * 146097;
    const int64_t yearOfEra = (dayOfEra - dayOfEra / 1460 + dayOfEra / 36524 - dayOfEra / 146096) / 365;
    const int64_t dayOfYear = dayOfEra - (365 * yearOfEra + yearOfEra / 4 - yearOfEra / 100);
    const int64_t monthFromMarch = (5 * dayOfYear + 2) / 153;
    LocalDate date;
    date.day = static_cast<int32_t>(dayOfYear - (153 * monthFromMarch + 2) / 5 + 1);
    date.month = static_cast<int32_t>(monthFromMarch < 10 ? monthFromMarch + 3 : monthFromMarch - 9);
    date.year = static_cast<int32_t>(yearOfEra + era * 400 + (date.month <= 2 ? 1 : 0));
    return date;
}

int64_t localSeconds(const LocalDateTime& time) {
    return dayNumber(time.date) * secondsPerDay + timeOfDay(time);
}

int64_t dayOfSeconds(int64_t seconds) { return floorDivide(seconds, secondsPerDay); }

LocalDateTime dateTimeOfSeconds(int64_t seconds) {
    const int64_t day = dayOfSeconds(seconds);
    const int64_t inDay = seconds - day * secondsPerDay;
    LocalDateTime time;
    time.date = dateOfDay(day);
    time.hour = static_cast<int32_t>(inDay / 3600);
    time.minute = static_cast<int32_t>(inDay / 60 % 60);
    time.second = static_cast<int32_t>(inDay % 60);
    return time;
}

bool operator==(const LocalDate& a, const LocalDate& b) {
    return std::tie(a.year, a.month, a.day) == std::tie(b.year, b.month, b.day);
}
bool operator<(const LocalDate& a, const LocalDate& b) {
    return std::tie(a.year, a.month, a.day) < std::tie(b.year, b.month, b.day);
}
bool operator==(const LocalDateTime& a, const LocalDateTime& b) {
    return a.date == b.date && timeOfDay(a) == timeOfDay(b);
}
bool operator<(const LocalDateTime& a, const LocalDateTime& b) {
    return a.date < b.date || (a.date == b.date && timeOfDay(a) < timeOfDay(b));
}

int daysInMonth(int32_t year, int32_t month) {
    static const int days[12] = {31, 28, 31, 30, 31, 30, 31, 31, 30, 31, 30, 31};
    if (month < 1 || month > 12) return 0;
    return month == 2 && isLeapYear(year) ? 29 : days[month - 1];
}

int isoWeekday(const LocalDate& date) {
    // 1970-01-01 was a Thursday.
    return static_cast<int>((dayNumber(date) % 7 + 7 + 3) % 7) + 1;
}

std::string dateText(const LocalDate& date) {
    char text[32];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d", date.year, date.month, date.day);
    return text;
}

std::string dateTimeText(const LocalDateTime& time) {
    char text[48];
    std::snprintf(text, sizeof text, "%04d-%02d-%02d %02d:%02d:%02d", time.date.year, time.date.month,
                  time.date.day, time.hour, time.minute, time.second);
    return text;
}

bool parseDateTimeText(std::string_view text, LocalDateTime& time) {
    if (text.size() != 19 || text[4] != '-' || text[7] != '-' || text[10] != ' ' || text[13] != ':' ||
        text[16] != ':') {
        return false;
    }
    LocalDateTime t;
    if (!readDigits(text, 0, 4, t.date.year) || !readDigits(text, 5, 2, t.date.month) ||
        !readDigits(text, 8, 2, t.date.day) || !readDigits(text, 11, 2, t.hour) ||
        !readDigits(text, 14, 2, t.minute) || !readDigits(text, 17, 2, t.second)) {
        return false;
    }
    if (t.date.day < 1 || t.date.day > daysInMonth(t.date.year, t.date.month)) return false;
    if (t.hour > 23 || t.minute > 59 || t.second > 59) return false;
    time = t;
    return true;
}
