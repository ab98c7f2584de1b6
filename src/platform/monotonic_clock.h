#pragma once
#include <cstdint>
#include <functional>

// The clock the tick counts seconds by: milliseconds since the system
// started, the time it slept included (GetTickCount64; the unbiased
// interrupt time would leave the sleep out). A running timer therefore
// counts the time the computer sleeps, and changing the time of day or the
// time zone moves nothing.
int64_t monotonicMs();

// Tests and benchmarks drive the tick with a clock of their own, so that a
// second passes when they say; an empty function restores the system's.
using MonotonicClock = std::function<int64_t()>;
void setMonotonicClock(MonotonicClock clock);
