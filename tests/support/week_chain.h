#pragma once
#include "timers/timer_record.h"

// Row `place` of a Next chain of `count` running countdowns, each set to a
// share of the week less `shorterBy` seconds, which finish first at the
// bottom and last at the top: each finish restarts the row below after the
// one there finished, so every finish goes on down the chain, a row a
// share, and the chain finishes count (count + 1) / 2 times, a few minutes
// apart, all week. With `toTop` its last row starts the top row instead of
// nothing.
TimerRecord weekChainCountdown(int place, int count, bool toTop, int shorterBy = 0);
