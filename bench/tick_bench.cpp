// The once-a-second tick over a full table of running limited timers on the
// real list view: the tick alone and what one pass over the rows costs, then
// the main window's whole once-a-second work (tick, clock refresh, autosave
// check and write) on the real main dialog, with each of its parts measured
// alone; and the first tick after a week asleep, on the same dialog.
//
//   tick_bench [--ticks N] [--window-ticks N] [--catch-ups N] [--only-catch-up]
#include <windows.h>
#include <commctrl.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "app/autosave.h"
#include "app/clock_display.h"
#include "app/main_window.h"
#include "app/timer_list_commands.h"
#include "app/timer_sets.h"
#include "app/win32_timer_events.h"
#include "app_window_fixture.h"
#include "bench_timer.h"
#include "platform/code_page.h"
#include "platform/monotonic_clock.h"
#include "res/resource.h"
#include "sets/timer_set_file.h"
#include "soak_timers.h"
#include "temp_folder.h"
#include "timers/tick_engine.h"

namespace {
struct Options {
    int ticks = 10000;       // the tick alone
    int windowTicks = 1000;  // everything else, each part alone
    int catchUps = 10;       // a week caught up on the real window
    bool onlyCatchUp = false;
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--ticks") == 0) options.ticks = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--window-ticks") == 0) options.windowTicks = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--catch-ups") == 0) options.catchUps = std::atoi(argv[i + 1]);
    }
    for (int i = 1; i < argc; ++i) {
        if (std::strcmp(argv[i], "--only-catch-up") == 0) options.onlyCatchUp = true;
    }
    if (options.ticks < 1) options.ticks = 1;
    if (options.windowTicks < 1) options.windowTicks = 1;
    if (options.catchUps < 1) options.catchUps = 1;
    return options;
}

// A table of `count` running limited timers.
void fillRunningTimers(TimerTable& table, int count = maxTimers) {
    table.deleteAllRows();
    for (int i = 0; i < count; ++i) {
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

// The time of every run, in microseconds. The machine is shared, so the
// median, which a few disturbed runs do not move, is the figure to compare;
// the mean is printed beside it.
class Samples {
public:
    template <typename Step>
    void time(Step step) {
        BenchTimer timer;
        step();
        us_.push_back(timer.seconds() * 1e6);
    }
    double mean() const {
        double sum = 0;
        for (double us : us_) sum += us;
        return us_.empty() ? 0.0 : sum / static_cast<double>(us_.size());
    }
    double median() const {
        std::vector<double> sorted = us_;
        std::sort(sorted.begin(), sorted.end());
        std::size_t n = sorted.size();
        if (n == 0) return 0.0;
        return n % 2 ? sorted[n / 2] : (sorted[n / 2 - 1] + sorted[n / 2]) / 2;
    }
    void print(const char* what) const {
        std::printf("%-52s median %9.1f us  mean %9.1f us  (%zu runs)\n", what, median(), mean(), us_.size());
        std::fflush(stdout);
    }

private:
    std::vector<double> us_;
};

template <typename Step>
Samples measure(const char* what, int count, Step step) {
    Samples samples;
    for (int i = 0; i < count; ++i) samples.time(step);
    samples.print(what);
    return samples;
}

void printShare(const char* what, double part, double whole) {
    std::printf("  %-50s %9.1f us  %5.1f %%\n", what, part, whole > 0 ? 100.0 * part / whole : 0.0);
}

// The table on a bare list view in a hidden window: what the tick itself
// costs, and the halves of its walk over the rows: the reads, and the
// writes with nothing or two cells changed.
void benchTickAlone(const Options& options) {
    std::printf("-- the tick on a bare list view (hidden window)\n");
    AppWindow ui;
    fillRunningTimers(ui.table);
    Win32TimerEvents events(ui.app);
    measure("tickTimers", options.ticks, [&] { tickTimers(ui.table, events); });
    std::printf("  row 0 now %s elapsed\n", formatTimeText(ui.table.readTimerRow(0).timeCurrent).c_str());
    // Not what the program does: how much of the tick is the control's
    // redrawing of every changed cell, which it skips while redraw is off.
    measure("  tickTimers with the list's redraw held off", options.windowTicks, [&] {
        SendMessageA(ui.app.hwndList, WM_SETREDRAW, FALSE, 0);
        tickTimers(ui.table, events);
        SendMessageA(ui.app.hwndList, WM_SETREDRAW, TRUE, 0);
        InvalidateRect(ui.app.hwndList, nullptr, TRUE);
    });

    TimerRecord rows[maxTimers];
    measure("  readTimerRow of every row", options.windowTicks, [&] {
        for (int i = 0; i < maxTimers; ++i) rows[i] = ui.table.readTimerRow(i);
    });
    measure("  writeTimerRow of every row, nothing changed", options.windowTicks, [&] {
        for (int i = 0; i < maxTimers; ++i) ui.table.writeTimerRow(i, rows[i]);
    });
    // Two cells changed, as in a tick: once with the row's first column among
    // them (its text belongs to the item itself, not to a subitem), once not.
    const struct {
        const char* what;
        TimeHms TimerRecord::*time;
    } changes[] = {{"  writeTimerRow of every row, time current changed", &TimerRecord::timeCurrent},
                   {"  writeTimerRow of every row, time set changed", &TimerRecord::timeSet}};
    int flip = 0;
    for (const auto& change : changes) {
        measure(change.what, options.windowTicks, [&] {
            flip ^= 1;
            for (int i = 0; i < maxTimers; ++i) {
                TimerRecord r = rows[i];
                (r.*change.time).seconds += flip;
                ui.table.writeTimerRow(i, r);
            }
        });
    }
}

// Counts the list's change notifications that reach the main window; each
// one makes it refresh the clock and the menus.
class ItemChangeCounter {
public:
    explicit ItemChangeCounter(HWND main) {
        watched_ = main;
        count_ = 0;
        hook_ = SetWindowsHookExA(WH_CALLWNDPROC, record, nullptr, GetCurrentThreadId());
    }
    ~ItemChangeCounter() { UnhookWindowsHookEx(hook_); }
    ItemChangeCounter(const ItemChangeCounter&) = delete;
    ItemChangeCounter& operator=(const ItemChangeCounter&) = delete;
    long count() const { return count_; }

private:
    static LRESULT CALLBACK record(int code, WPARAM wParam, LPARAM lParam) {
        auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
        if (code == HC_ACTION && call->hwnd == watched_ && call->message == WM_NOTIFY &&
            reinterpret_cast<NMHDR*>(call->lParam)->code == LVN_ITEMCHANGED) {
            ++count_;
        }
        return CallNextHookEx(nullptr, code, wParam, lParam);
    }
    static HWND watched_;
    static long count_;
    HHOOK hook_;
};
HWND ItemChangeCounter::watched_ = nullptr;
long ItemChangeCounter::count_ = 0;

// The real main dialog, shown, in a fresh current directory, with a table
// of running timers.
class MainWindow {
public:
    explicit MainWindow(int timers = maxTimers) {
        setMonotonicClock([this] { return nowMs_; });
        useActiveCodePageForFields();
        INITCOMMONCONTROLSEX controls = {sizeof controls, 0xFF};
        InitCommonControlsEx(&controls);
        app.hInstance = GetModuleHandleA(nullptr);
        LoadStringA(app.hInstance, IDS_APP_TITLE, app.title, sizeof app.title);
        CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                           reinterpret_cast<LPARAM>(&app));
        ShowWindow(app.hwndMain, SW_SHOWNORMAL);
        ListViewControl list(app.hwndList);
        TimerTable table(list);
        fillRunningTimers(table, timers);
        paint();
    }
    ~MainWindow() {
        if (app.hwndMain) DestroyWindow(app.hwndMain);
        setMonotonicClock({});
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Nothing here pumps messages, so the dialog's own window timer never
    // fires: every tick is one of these, one second after the last on the
    // clock the tick counts by.
    void tick(int64_t seconds = 1) {
        nowMs_ += seconds * 1000;
        SendMessageA(app.hwndMain, WM_TIMER, 1, 0);
    }
    // What the message loop would draw between two ticks.
    void paint() { RedrawWindow(app.hwndMain, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

    TempFolder folder;  // the current directory while it lives
    AppState app;

private:
    int64_t nowMs_ = 0;
};

// The whole WM_TIMER work and each of its parts, taken in turn within every
// round so that a stretch of load from elsewhere falls on all of them alike;
// with a full table, and with a few running timers.
void benchMainWindow(const Options& options, int timers) {
    std::printf("-- the main window's once-a-second work (real dialog, shown), %d timers, all running\n", timers);
    MainWindow window(timers);
    const AppState& app = window.app;
    ListViewControl list(app.hwndList);
    TimerTable table(list);

    long changes = 0;
    {
        ItemChangeCounter counter(app.hwndMain);
        window.tick();
        changes = counter.count();
    }
    Samples whole, painted, clock, menus, check, write;
    for (int i = 0; i < options.windowTicks; ++i) {
        window.paint();  // each timed paint draws one tick's changes only
        whole.time([&] { window.tick(); });
        window.paint();
        painted.time([&] {
            window.tick();
            window.paint();
        });
        clock.time([&] { refreshClock(app); });
        menus.time([&] { updateMenuStates(app); });
        check.time([&] { buildTimerSetText(table); });
        write.time([&] { saveTimerSet(autosaveWritePath, app); });
    }
    auto label = [timers](const char* what) {
        static char text[96];
        std::snprintf(text, sizeof text, "%s, %d timers", what, timers);
        return text;
    };
    whole.print(label("WM_TIMER (tick, clock, menus)"));
    painted.print(label("WM_TIMER, then painting what it changed"));
    clock.print(label("  refreshClock alone"));
    menus.print(label("  updateMenuStates alone"));
    check.print(label("  autosave check: buildTimerSetText alone"));
    write.print(label("  autosave write: saveTimerSet alone"));
    std::printf("  LVN_ITEMCHANGED reaching the main window in one tick: %ld\n", changes);

    const double w = whole.median();
    std::printf("shares of the WM_TIMER work, medians (%.1f us):\n", w);
    printShare("the tick (WM_TIMER less the clock and the menus)", w - clock.median() - menus.median(), w);
    printShare("refreshClock", clock.median(), w);
    printShare("painting (beside WM_TIMER, of the whole)", painted.median() - w, painted.median());
    std::printf("  after a tick that changes a state or a flag only: the autosave check %.1f us, "
                "and the write %.1f us when the file differs\n",
                check.median(), write.median());
    std::printf("  row 0 now %s elapsed\n", formatTimeText(table.readTimerRow(0).timeCurrent).c_str());
}

// The first tick after the computer slept for a week, on the real main
// window: the soak table with its ring of 1-second timers, which went round
// some 29,000 times meanwhile.
void benchCatchUp(const Options& options) {
    std::printf("-- the first tick after a week asleep (real dialog, shown)\n");
    MainWindow window;
    ListViewControl list(window.app.hwndList);
    TimerTable table(list);
    Samples whole, painted;
    for (int i = 0; i < options.catchUps; ++i) {
        soak::fillTimersWithOneSecondRing(table);
        window.paint();
        whole.time([&] { window.tick(7 * 24 * 3600); });
        soak::fillTimersWithOneSecondRing(table);
        window.paint();
        painted.time([&] {
            window.tick(7 * 24 * 3600);
            window.paint();
        });
    }
    whole.print("WM_TIMER catching up a week");
    painted.print("WM_TIMER catching up a week, then painting");
    std::printf("  row 0 now %s elapsed, row %d %s\n", formatTimeText(table.readTimerRow(0).timeCurrent).c_str(),
                soak::nearTheStopRow, formatTimeText(table.readTimerRow(soak::nearTheStopRow).timeCurrent).c_str());
}
}  // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    if (!options.onlyCatchUp) {
        benchTickAlone(options);
        benchMainWindow(options, maxTimers);
        benchMainWindow(options, 5);
    }
    benchCatchUp(options);
    return 0;
}
