#include <gtest/gtest.h>

#include <vector>

#include "timers/tick_schedule.h"

namespace {
struct Delivery {
    int64_t atMs;
    int64_t seconds;  // expected to be counted
    int64_t delayMs;  // expected to be armed next
};

void expectDeliveries(TickSchedule& schedule, const std::vector<Delivery>& deliveries) {
    for (const Delivery& d : deliveries) {
        const TickSchedule::Due due = schedule.onTick(d.atMs);
        EXPECT_EQ(due.seconds, d.seconds) << "delivery at " << d.atMs << " ms";
        EXPECT_EQ(due.delayMs, d.delayMs) << "delivery at " << d.atMs << " ms";
    }
}

// Delivers `count` ticks, each `lateMs` after the moment it was armed for;
// returns the seconds counted in all.
int64_t deliverSteadily(TickSchedule& schedule, int64_t firstAt, int count, int64_t lateMs) {
    int64_t now = firstAt, counted = 0;
    for (int n = 0; n < count; ++n) {
        const TickSchedule::Due due = schedule.onTick(now);
        EXPECT_EQ(due.seconds, 1) << "delivery " << n << " at " << now << " ms";
        counted += due.seconds;
        now += due.delayMs + lateMs;
    }
    return counted;
}
}  // namespace

TEST(TickSchedule, SteadyDeliveriesCountOneSecondEachWhetherLateOrEarly) {
    TickSchedule late(0);
    EXPECT_EQ(deliverSteadily(late, 1030, 3600, 30), 3600);
    // The lateness of each delivery is not added up: the next is armed for
    // the next whole second since the start.
    EXPECT_EQ(late.onTick(3600030).delayMs, 970);

    TickSchedule early(0);
    EXPECT_EQ(deliverSteadily(early, 995, 600, -5), 600);
    EXPECT_EQ(early.secondsCounted(), 600);
}

TEST(TickSchedule, AGapIsMadeUpAndNoSecondIsCountedTwiceAroundIt) {
    TickSchedule schedule(0);
    expectDeliveries(schedule, {
                                   {1000, 1, 1000},
                                   // The thread was blocked: seconds 2 and 3 came late, at once.
                                   {3400, 2, 600},
                                   {4000, 1, 1000},
                                   // A few ms early: second 5 is counted now, and only now.
                                   {4995, 1, 1005},
                                   {6000, 1, 1000},
                                   // An early delivery beyond the tolerance counts nothing yet.
                                   {6950, 0, 50},
                                   {7000, 1, 1000},
                                   // Ten seconds stopped (a sleep): all of them at once.
                                   {18003, 11, 997},
                                   {18990, 1, 1010},
                                   {20001, 1, 999},
                               });
    EXPECT_EQ(schedule.secondsCounted(), 20);
    // A second delivery for a second already counted counts nothing.
    expectDeliveries(schedule, {{20002, 0, 998}});
}

TEST(TickSchedule, AClockThatStepsBackStartsAfreshAndNeverArmsForZero) {
    TickSchedule schedule(10000);
    expectDeliveries(schedule, {{2000, 0, 1000}, {2900, 0, 100}, {3000, 1, 1000}, {3000, 0, 1000}});
    EXPECT_EQ(schedule.delayToNext(3999), 1);
    EXPECT_EQ(schedule.delayToNext(5000), 1);  // overdue: as soon as possible
}
