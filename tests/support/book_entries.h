#pragma once
#include <cstdlib>
#include <ostream>
#include <string>

#include "books/book_entry.h"

// "2026-12-07 14:05:09" as a local time; the tests' texts are all valid.
inline LocalDateTime at(const char* text) {
    LocalDateTime time;
    if (!parseDateTimeText(text, time)) std::abort();
    return time;
}

// An entry whose seconds are its wall-clock span unless given.
inline BookEntry bookEntry(std::string description, const char* start, const char* end, int64_t cents = 0,
                           std::string price = "", int32_t runs = 1, int64_t seconds = -1) {
    BookEntry entry;
    entry.description = std::move(description);
    entry.start = at(start);
    entry.end = at(end);
    entry.seconds = seconds >= 0 ? seconds : secondsBetween(entry.start, entry.end);
    entry.price = std::move(price);
    entry.cents = cents;
    entry.runs = runs;
    return entry;
}

// What a failed comparison prints.
inline void PrintTo(const BookEntry& e, std::ostream* out) {
    *out << '{' << e.description << " | " << dateTimeText(e.start) << " | " << dateTimeText(e.end) << " | " << e.seconds
         << " | " << e.price << " | " << e.cents << " | " << e.runs << '}';
}
