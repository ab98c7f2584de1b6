#pragma once
#include <cstdint>
#include <vector>

#include "books/book_ledger.h"

// Adds an entry's seconds to the days it spans, for the report's chart:
// `daySeconds[i]` is the day `firstDay + i`; days outside are left out.
// The seconds counted spread evenly over the wall-clock span, so a stretch
// from 23:30 to 00:45 gives 1800 to one day and 2700 to the next, and a
// merged catch-up entry, which counted less than it spans, gives each day
// its share; the shares add up to the seconds exactly. An entry that ends
// no later than it starts (the clock was set back) counts on its start day.
void spreadOverDays(const LedgerEntry& entry, int64_t firstDay, std::vector<int64_t>& daySeconds);
