#include <gtest/gtest.h>

#include "timers/tick_schedule.h"

namespace {
// Delivers `count` ticks, each `lateMs` after the moment it was armed for,
// and returns the time of the last delivery.
int64_t deliver(TickSchedule& schedule, int64_t firstAt, int count, int64_t lateMs) {
    int64_t now = firstAt;
    for (int n = 1; n < count; ++n) now += schedule.onTick(now) + lateMs;
    schedule.onTick(now);
    return now;
}
}  // namespace

TEST(TickSchedule, LatenessDoesNotAccumulateOverAnHour) {
    TickSchedule schedule(0);
    int64_t last = deliver(schedule, 1030, 3600, 30);
    // Tick 3600 lands 3600 s after the start, give or take one delivery's lateness.
    EXPECT_NEAR(static_cast<double>(last), 3600 * 1000.0, 31.0);
    EXPECT_EQ(schedule.ticksDelivered(), 3600);
}

TEST(TickSchedule, EarlyDeliveriesWaitForTheWholeSecond) {
    TickSchedule schedule(0);
    int64_t last = deliver(schedule, 995, 600, -5);
    EXPECT_NEAR(static_cast<double>(last), 600 * 1000.0, 6.0);
}

TEST(TickSchedule, MissedSecondsAreSkippedNotMadeUp) {
    TickSchedule schedule(0);
    EXPECT_EQ(schedule.onTick(1000), 1000);
    // The thread was busy: the next delivery comes at 5.4 s. The schedule
    // aims at 6 s, not at a burst of catch-up ticks.
    EXPECT_EQ(schedule.onTick(5400), 600);
    EXPECT_EQ(schedule.onTick(6000), 1000);
}

TEST(TickSchedule, NeverArmsForZeroOrForAnAbsurdWait) {
    TickSchedule schedule(10000);
    int64_t delay = schedule.onTick(2000);  // the clock stepped back
    EXPECT_EQ(delay, 1000);
    EXPECT_GE(schedule.onTick(2999), 1);
}
