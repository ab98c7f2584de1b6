#include <gtest/gtest.h>
#include <windows.h>

#include <cstring>
#include <string>

#include "app/clock_display.h"
#include "app/win32_timer_events.h"
#include "app_window_fixture.h"
#include "platform/tray_icon.h"
#include "timers/tick_engine.h"

namespace {
std::string timeOfDay() {
    char text[260] = {};
    GetTimeFormatA(LOCALE_USER_DEFAULT, 0, nullptr, nullptr, text, sizeof text);
    return text;
}

TimerRecord runningTimer(const char* description, TimeHms set, TimeHms current) {
    TimerRecord r;
    std::strcpy(r.description, description);
    r.state = Running;
    r.limit = 1;
    r.timeSet = set;
    r.timeCurrent = current;
    return r;
}
}  // namespace

TEST(ClockDisplayTest, ShowsTheTimeOfDayWithoutSelection) {
    AppWindow ui;
    ui.table.writeTimerRow(-1, runningTimer("a", {0, 1, 0}, {0, 0, 30}));
    std::string before = timeOfDay();
    refreshClock(ui.app);
    std::string after = timeOfDay();
    std::string shown = ui.clockText();
    EXPECT_FALSE(shown.empty());
    EXPECT_TRUE(shown == before || shown == after) << shown;
    EXPECT_EQ(ui.progressPosition(), 0);
}

TEST(ClockDisplayTest, ShowsTheSelectedTimerAndWritesOnlyChangedText) {
    AppWindow ui;
    ui.table.writeTimerRow(-1, runningTimer("a", {0, 1, 0}, {0, 0, 20}));
    ui.table.selectRow(0);
    int writesBefore = ui.clockTextWrites();
    refreshClock(ui.app);
    EXPECT_EQ(ui.clockText(), "00:00:40");
    EXPECT_EQ(ui.progressPosition(), 33);
    refreshClock(ui.app);
    refreshClock(ui.app);
    EXPECT_EQ(ui.clockTextWrites(), writesBefore + 1) << "an unchanged clock is not rewritten";

    ui.table.writeTimerRow(0, runningTimer("a", {0, 1, 0}, {0, 0, 21}));
    refreshClock(ui.app);
    EXPECT_EQ(ui.clockText(), "00:00:39");
    EXPECT_EQ(ui.clockTextWrites(), writesBefore + 2);
}

// The whole road of a completion on the real system: the tray balloon, the
// sound, and the clock following the chain to the next row.
TEST(ClockDisplayTest, CompletionOnTheRealSystemMovesTheClockAlongTheChain) {
    AppWindow ui;
    addTrayIcon(ui.app.hwndMain, LoadIconA(nullptr, MAKEINTRESOURCEA(32512)), "Horalet test");
    TimerRecord first = runningTimer("first", {0, 0, 1}, {0, 0, 0});
    first.runTimer = Next;
    std::strcpy(first.fileName, "SystemAsterisk");
    TimerRecord second = runningTimer("second", {0, 0, 9}, {0, 0, 4});
    second.state = Paused;
    ui.table.writeTimerRow(-1, first);
    ui.table.writeTimerRow(-1, second);

    Win32TimerEvents events(ui.app);
    tickTimers(ui.table, events);
    EXPECT_EQ(ui.table.readTimerRow(0).state, Finished);
    EXPECT_EQ(ui.table.findSelectedRow(), 1);
    EXPECT_EQ(ui.clockText(), "00:00:09");
    removeTrayIcon(ui.app.hwndMain);
    pumpMessages();
}
