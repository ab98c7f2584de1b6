#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "memory_list_control.h"
#include "timers/clock_view.h"
#include "timers/tick_engine.h"

namespace {
class SilentEvents : public TimerEvents {
public:
    void playSound(const char*) override {}
    void openProgram(const char*, const char*) override {}
    void showBalloon(const char*, const char*) override {}
    void refreshClock() override {}
};

TimerRecord timer(TimerState state, int limit, TimeHms set, TimeHms current) {
    TimerRecord r;
    std::strcpy(r.description, "clock");
    r.state = state;
    r.limit = limit;
    r.timeSet = set;
    r.timeCurrent = current;
    return r;
}

class ClockViewTest : public ::testing::Test {
protected:
    void addSelected(const TimerRecord& r) {
        table.writeTimerRow(-1, r);
        list.selectRow(table.rowCount() - 1);
    }
    ClockView view(int systemSecond = 0) { return computeClockView(table, systemSecond, "4:10:04 AM"); }

    MemoryListControl list;
    TimerTable table{list};
};
}  // namespace

TEST_F(ClockViewTest, WithoutSelectionShowsTheTimeOfDayAndAnEmptyBar) {
    table.writeTimerRow(-1, timer(Running, 1, {0, 0, 10}, {0, 0, 5}));
    ClockView v = view();
    EXPECT_EQ(v.text, "4:10:04 AM");
    EXPECT_EQ(v.position, 0);

    list.setFocusOnly(0);  // focused but not selected is no selection
    EXPECT_EQ(view().text, "4:10:04 AM");
}

TEST_F(ClockViewTest, LimitedTimerCountsDownAndFillsTheBarInSteps) {
    TimerRecord r = timer(Running, 1, {0, 0, 3}, {0, 0, 0});
    addSelected(r);
    SilentEvents events;
    std::vector<std::string> texts;
    std::vector<int> positions;
    for (int t = 0; t < 4; ++t) {
        ClockView v = view(1);  // a running timer never blinks
        texts.push_back(v.text);
        positions.push_back(v.position);
        tickTimers(table, events);
    }
    EXPECT_EQ(texts, (std::vector<std::string>{"00:00:03", "00:00:02", "00:00:01", "00:00:00"}));
    EXPECT_EQ(positions, (std::vector<int>{0, 33, 66, 100}));
    EXPECT_EQ(table.readTimerRow(0).state, Finished);

    ClockView finished = view(1);  // finished: no blinking, full bar
    EXPECT_EQ(finished.text, "00:00:00");
    EXPECT_EQ(finished.position, 100);
}

TEST_F(ClockViewTest, PausedTimerBlinksWithTheSystemSeconds) {
    addSelected(timer(Paused, 1, {0, 1, 0}, {0, 0, 20}));
    EXPECT_EQ(view(0).text, "00:00:40");
    EXPECT_EQ(view(1).text, "");
    EXPECT_EQ(view(58).text, "00:00:40");
    EXPECT_EQ(view(59).text, "");
    EXPECT_EQ(view(59).position, 33) << "the bar does not blink";
}

TEST_F(ClockViewTest, UnlimitedTimerShowsElapsedTimeAndNoProgress) {
    addSelected(timer(Running, 0, {0, 0, 10}, {1, 2, 3}));
    ClockView v = view();
    EXPECT_EQ(v.text, "01:02:03");
    EXPECT_EQ(v.position, 0);
}

TEST_F(ClockViewTest, OddSetTimesKeepTheBarWithinItsRange) {
    addSelected(timer(Finished, 1, {0, 0, 0}, {0, 0, 0}));
    EXPECT_EQ(view().position, 0) << "a zero set time";
    table.writeTimerRow(0, timer(Running, 1, {-1, 0, 0}, {0, 0, 5}));  // hand-edited negative hours
    EXPECT_EQ(view().position, 0);
    table.writeTimerRow(0, timer(Paused, 1, {0, 0, 10}, {0, 0, 30}));  // the table allows a time past the set one
    EXPECT_EQ(view().position, 100);
}
