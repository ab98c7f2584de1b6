#pragma once
#include <cstdint>
#include <string>

#include "books/local_time.h"

// One stretch of a timer's running, as the books keep it. The amount is
// what the stretch added to the timer's Sum column, in whole cents, so the
// entries of one run add up to that column exactly.
struct BookEntry {
    std::string description;  // UTF-8, as the timer's field holds it (at most 259 bytes)
    LocalDateTime start;
    LocalDateTime end;
    // The seconds the timer counted: a merged catch-up entry counts only its
    // runs, not the gaps between them, and summer time moves the wall clock.
    // 0 to 2^32 - 1, with the end at most 2^31 - 1 seconds from the start
    // either way; a line beyond these is no entry (nearly a century of
    // counting, which no timer holds), and the books store them compactly.
    int64_t seconds = 0;
    std::string price;  // "2.5 per 15 minute", empty for a timer without a price
    int64_t cents = 0;
    // How many runs of the timer a catch-up merged into this entry; 1 for a
    // stretch of its own.
    int32_t runs = 1;
};

bool operator==(const BookEntry& a, const BookEntry& b);
inline bool operator!=(const BookEntry& a, const BookEntry& b) { return !(a == b); }

// Whether an entry fits the limits above, the reader's test of every line.
bool isStorableEntry(const BookEntry& entry);
