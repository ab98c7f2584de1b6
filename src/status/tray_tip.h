#pragma once
#include <cstddef>
#include <string>

#include "timers/running_timers.h"

// "Tea: 04:12 left (+2 running)" for the countdown that finishes first,
// "ACME: 01:20:05 (+1 running)" when only count-ups run, the title when
// nothing does. It fits `capacity` bytes, terminator included: the name
// gives way first, cut at a character boundary.
std::string trayTipText(const RunningTimers& running, const std::string& title, std::size_t capacity);

// "04:12" under an hour, "01:20:05" from an hour on.
std::string shortTimeText(int64_t seconds);
