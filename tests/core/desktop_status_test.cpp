#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "memory_list_control.h"
#include "recording_desktop_shell.h"
#include "status/desktop_status.h"
#include "status/tray_tip.h"
#include "timers/field_text.h"
#include "timers/tick_engine.h"

namespace {
using Calls = std::vector<std::string>;

TimerRecord timer(const char* description, TimerState state, int setSeconds, int elapsed) {
    TimerRecord r;
    std::strcpy(r.description, description);
    r.state = state;
    r.limit = setSeconds > 0;
    r.timeSet = timeFromSeconds(setSeconds);
    r.timeCurrent = timeFromSeconds(elapsed);
    return r;
}

RunningTimers runningOf(const std::vector<TimerRecord>& rows) {
    RunningTimers running;
    for (std::size_t i = 0; i < rows.size(); ++i) running.add(static_cast<int>(i), rows[i]);
    return running;
}
}  // namespace

TEST(TrayTipTest, NamesTheTimerThatFinishesFirstOrTheFirstCountUp) {
    const struct {
        std::vector<TimerRecord> rows;
        const char* tip;
    } cases[] = {
        {{}, "Horalet"},
        {{timer("Tea", Paused, 300, 0), timer("Done", Finished, 60, 60)}, "Horalet"},
        {{timer("Tea", Running, 300, 48)}, "Tea: 04:12 left"},
        // The soonest finish, not the top row; a tie goes to the top one.
        {{timer("Long", Running, 7200, 0), timer("Tea", Running, 300, 48), timer("Egg", Running, 253, 1),
          timer("Walk", Paused, 5, 0)},
         "Tea: 04:12 left (+2 running)"},
        {{timer("ACME", Running, 0, 4805), timer("Call", Running, 0, 9)}, "ACME: 01:20:05 (+1 running)"},
        {{timer("ACME", Running, 0, 4805), timer("Tea", Running, 3600, 0)}, "Tea: 01:00:00 left (+1 running)"},
        {{timer("Paused", Paused, 9, 0), timer("", Running, 90, 0)}, "Row 2: 01:30 left"},
        // A hand-edited row past its set time has nothing left.
        {{timer("Over", Running, 60, 75)}, "Over: 00:00 left"},
    };
    for (const auto& c : cases) EXPECT_EQ(trayTipText(runningOf(c.rows), "Horalet", trayTipCapacity), c.tip);

    // A long name gives way to the time, at a character boundary.
    setFieldTextEncoding(TextEncoding::Utf8);
    std::string name = "x";
    for (int i = 0; i < 80; ++i) name += "\xc3\xa9";  // é: 102 bytes of room end inside the 51st
    const std::string tip =
        trayTipText(runningOf({timer(name.c_str(), Running, 60, 0), timer("y", Running, 0, 0)}), "Horalet", 128);
    EXPECT_EQ(tip, name.substr(0, 101) + ": 01:00 left (+1 running)");
    setFieldTextEncoding(TextEncoding::SingleByte);
}

TEST(DesktopStatusTest, IconAndProgressFollowATimerThroughItsLife) {
    RecordingDesktopShell shell;
    DesktopStatus status(shell, "Horalet");
    const auto show = [&](const TimerRecord& r) {
        status.showRunning(runningOf({r}));
        status.showSelected({7, r.state, true, r.state == Finished ? 100 : static_cast<int>(totalSeconds(r.timeCurrent)) * 10});
        return shell.take();
    };
    EXPECT_EQ(show(timer("Tea", Running, 10, 0)), (Calls{"tip Tea: 00:10 left", "icon running", "progress normal 0"}));
    EXPECT_EQ(show(timer("Tea", Running, 10, 3)), (Calls{"tip Tea: 00:07 left", "progress normal 30"}));
    EXPECT_EQ(show(timer("Tea", Running, 10, 3)), Calls{}) << "nothing changed, nothing is called";
    EXPECT_EQ(show(timer("Tea", Paused, 10, 3)), (Calls{"tip Horalet", "icon plain", "progress paused 30"}));
    show(timer("Tea", Running, 10, 9));

    // It finishes while the window is hidden: the finish mark until the
    // user has looked, and the button (there once the window is shown)
    // says so too.
    status.timerFinished(7, WindowPresence::Hidden);
    EXPECT_EQ(shell.take(), (Calls{"icon unseen"}));
    EXPECT_EQ(show(timer("Tea", Finished, 10, 10)), (Calls{"tip Horalet", "progress error 100"}));
    status.looked();
    EXPECT_EQ(shell.take(), (Calls{"icon plain", "progress none"}));

    // A count-up shows no progress; nor does no selection.
    status.showSelected({7, Running, false, 0});
    status.showSelected({0, Running, false, 0});
    EXPECT_EQ(shell.take(), Calls{});

    // Explorer came back: the icon is there again with the plain picture and
    // the title, and a new button has no progress.
    show(timer("Tea", Running, 10, 1));
    status.trayIconAdded();
    status.taskbarButtonCreated();
    EXPECT_EQ(shell.take(), (Calls{"tip Tea: 00:09 left", "icon running", "progress normal 10"}));

    // While the list is not saved, the tip says so above all.
    status.showAutosaveFailing(true);
    EXPECT_EQ(shell.take(), (Calls{"tip Horalet: the list is not being saved"}));
    EXPECT_EQ(show(timer("Tea", Running, 10, 2)), (Calls{"progress normal 20"}));
    status.showAutosaveFailing(false);
    EXPECT_EQ(shell.take(), (Calls{"tip Tea: 00:08 left"}));
}

TEST(DesktopStatusTest, AFullListTickingCallsTheShellAtMostOnceASecond) {
    MemoryListControl list;
    TimerTable table(list);
    for (int i = 0; i < maxTimers; ++i) table.writeTimerRow(-1, timer("Tea", Running, 600 + i, 0));
    RecordingDesktopShell shell;
    DesktopStatus status(shell, "Horalet");
    struct Events : TimerEvents {
        DesktopStatus& status;
        explicit Events(DesktopStatus& s) : status(s) {}
        void playSound(const char*) override {}
        void openProgram(const char*, const char*) override {}
        void showBalloon(const char*, const char*) override {}
        void refreshClock() override {}
        void runningAfterTick(const RunningTimers& running) override { status.showRunning(running); }
    } events(status);
    // The soonest of them loses a second every tick, so the tip must change
    // each time, and nothing else may be called after the first tick.
    for (int second = 0; second < 60; ++second) {
        tickTimers(table, events);
        const int left = 600 - 1 - second;
        char tip[64];
        std::snprintf(tip, sizeof tip, "tip Tea: %02d:%02d left (+99 running)", left / 60, left % 60);
        Calls expected = {tip};
        if (second == 0) expected.push_back("icon running");
        EXPECT_EQ(shell.take(), expected) << "second " << second;
    }
}
