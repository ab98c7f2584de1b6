// The once-a-second tick over a full table of running limited timers on the
// real list view, alone and followed by the clock refresh as the main window
// does it.
#include <windows.h>

#include <cstdio>
#include <cstring>

#include "app/clock_display.h"
#include "app/win32_timer_events.h"
#include "app_window_fixture.h"
#include "bench_timer.h"
#include "timers/tick_engine.h"

namespace {
void fillRunningTimers(TimerTable& table) {
    table.deleteAllRows();
    for (int i = 0; i < maxTimers; ++i) {
        TimerRecord r;
        std::snprintf(r.description, sizeof r.description, "Timer %d", i);
        r.limit = 1;
        r.timeSet = {99, 0, 0};  // no timer finishes during the run
        r.state = Running;
        std::strcpy(r.unit, "minute");
        r.coastInt = 2;
        std::strcpy(r.coastFrac, "5");
        table.writeTimerRow(-1, r);
    }
    table.selectRow(0);
}

void run(const char* what, AppWindow& ui, bool refresh) {
    const int ticks = 10000;
    fillRunningTimers(ui.table);
    Win32TimerEvents events(ui.app);
    BenchTimer timer;
    for (int i = 0; i < ticks; ++i) {
        tickTimers(ui.table, events);
        if (refresh) refreshClock(ui.app);
    }
    double seconds = timer.seconds();
    std::printf("%-48s %8.1f us per tick (%d ticks, %d timers)\n", what, seconds * 1e6 / ticks, ticks, maxTimers);
    std::printf("  row 0 now %s elapsed, clock \"%s\"\n", formatTimeText(ui.table.readTimerRow(0).timeCurrent).c_str(),
                ui.clockText().c_str());
}
}  // namespace

int main() {
    AppWindow ui;
    run("tickTimers", ui, false);
    run("tickTimers + refreshClock", ui, true);
    return 0;
}
