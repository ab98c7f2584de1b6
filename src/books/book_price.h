#pragma once
#include <cstdint>
#include <string>

#include "timers/timer_record.h"

// The price as the timer charges it, "2.5 per 15 minute": the price as
// typed, the count of units (left out when none is set, which charges per
// single unit) and the unit that serviceSum reads from the field. Empty
// when the price is 0, as for a timer that only counts.
std::string bookPriceText(const TimerRecord& record);

// The Sum column of the record in whole cents, read from the very text the
// list shows, so that the amounts of a run's entries (the sum at each
// stretch's end minus the sum at its start) add up to that column cent for
// cent.
int64_t sumCents(const TimerRecord& record);
