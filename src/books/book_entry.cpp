#include "books/book_entry.h"

#include <cstdint>

bool operator==(const BookEntry& a, const BookEntry& b) {
    return a.description == b.description && a.start == b.start && a.end == b.end && a.seconds == b.seconds &&
           a.price == b.price && a.cents == b.cents && a.runs == b.runs;
}

bool isStorableEntry(const BookEntry& entry) {
    const int64_t span = secondsBetween(entry.start, entry.end);
    return entry.seconds >= 0 && entry.seconds <= INT64_C(0xFFFFFFFF) && span >= INT32_MIN && span <= INT32_MAX &&
           entry.runs >= 1;
}
