// The once-a-second tick over a full table of running limited timers on the
// real list view: the tick alone and what one pass over the rows costs, then
// the main window's whole once-a-second work (tick, clock refresh, autosave
// check) on the real main dialog, with each of its parts measured alone.
//
//   tick_bench [--ticks N] [--window-ticks N]
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "app/autosave.h"
#include "app/clock_display.h"
#include "app/main_window.h"
#include "app/timer_list_commands.h"
#include "app/timer_sets.h"
#include "app/win32_timer_events.h"
#include "app_window_fixture.h"
#include "bench_timer.h"
#include "platform/code_page.h"
#include "res/resource.h"
#include "sets/timer_set_file.h"
#include "temp_folder.h"
#include "timers/tick_engine.h"

namespace {
struct Options {
    int ticks = 10000;       // the tick alone
    int windowTicks = 1000;  // everything else, each part alone
};

Options parseOptions(int argc, char** argv) {
    Options options;
    for (int i = 1; i + 1 < argc; i += 2) {
        if (std::strcmp(argv[i], "--ticks") == 0) options.ticks = std::atoi(argv[i + 1]);
        if (std::strcmp(argv[i], "--window-ticks") == 0) options.windowTicks = std::atoi(argv[i + 1]);
    }
    if (options.ticks < 1) options.ticks = 1;
    if (options.windowTicks < 1) options.windowTicks = 1;
    return options;
}

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

// Runs `step` `count` times; prints and returns the microseconds per run.
template <typename Step>
double measure(const char* what, int count, Step step) {
    BenchTimer timer;
    for (int i = 0; i < count; ++i) step();
    double us = timer.seconds() * 1e6 / count;
    std::printf("%-56s %9.1f us  (%d runs, %d timers)\n", what, us, count, maxTimers);
    std::fflush(stdout);
    return us;
}

void printShare(const char* what, double part, double whole) {
    std::printf("  %-54s %9.1f us  %5.1f %%\n", what, part, whole > 0 ? 100.0 * part / whole : 0.0);
}

// The table on a bare list view in a hidden window: what the tick itself
// costs, and the two halves of its walk over the rows.
void benchTickAlone(const Options& options) {
    std::printf("-- the tick on a bare list view (hidden window)\n");
    AppWindow ui;
    fillRunningTimers(ui.table);
    Win32TimerEvents events(ui.app);
    measure("tickTimers", options.ticks, [&] { tickTimers(ui.table, events); });
    std::printf("  row 0 now %s elapsed\n", formatTimeText(ui.table.readTimerRow(0).timeCurrent).c_str());

    TimerRecord rows[maxTimers];
    measure("  readTimerRow of every row", options.windowTicks, [&] {
        for (int i = 0; i < maxTimers; ++i) rows[i] = ui.table.readTimerRow(i);
    });
    measure("  writeTimerRow of every row, nothing changed", options.windowTicks, [&] {
        for (int i = 0; i < maxTimers; ++i) ui.table.writeTimerRow(i, rows[i]);
    });
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

// The real main dialog, shown, in a fresh current directory, with a full
// table of running timers.
class MainWindow {
public:
    MainWindow() {
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
        fillRunningTimers(table);
        paint();
    }
    ~MainWindow() {
        if (app.hwndMain) DestroyWindow(app.hwndMain);
    }
    MainWindow(const MainWindow&) = delete;
    MainWindow& operator=(const MainWindow&) = delete;

    // Nothing here pumps messages, so the dialog's own window timer never
    // fires: every tick is one of these.
    void tick() { SendMessageA(app.hwndMain, WM_TIMER, 1, 0); }
    // What the message loop would draw between two ticks.
    void paint() { RedrawWindow(app.hwndMain, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN); }

    TempFolder folder;  // the current directory while it lives
    AppState app;
};

void benchMainWindow(const Options& options) {
    std::printf("-- the main window's once-a-second work (real dialog, shown)\n");
    MainWindow window;
    const AppState& app = window.app;
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    Win32TimerEvents events(app);
    const int n = options.windowTicks;

    double whole = measure("WM_TIMER (tick + refreshClock + autosave)", n, [&] { window.tick(); });
    long changes = 0;
    {
        ItemChangeCounter counter(app.hwndMain);
        window.tick();
        changes = counter.count();
    }
    std::printf("  LVN_ITEMCHANGED reaching the main window in one tick: %ld\n", changes);
    double painted = measure("WM_TIMER, then painting what it changed", n, [&] {
        window.tick();
        window.paint();
    });
    double tick = measure("  tickTimers alone", n, [&] { tickTimers(table, events); });
    double clock = measure("  refreshClock alone", n, [&] { refreshClock(app); });
    double menus = measure("  updateMenuStates alone", n, [&] { updateMenuStates(app); });
    double check = measure("  autosave check: buildTimerSetText alone", n, [&] { buildTimerSetText(table); });
    double write = measure("  autosave write: saveTimerSet alone", n, [&] { saveTimerSet(autosaveWritePath, app); });

    std::printf("shares of the WM_TIMER work (%.1f us):\n", whole);
    printShare("tickTimers (with the list's notifications)", tick, whole);
    char notified[80];
    std::snprintf(notified, sizeof notified, "  of it, %ld x (refreshClock + updateMenuStates)", changes);
    printShare(notified, changes * (clock + menus), whole);
    printShare("refreshClock", clock, whole);
    printShare("autosave check (set text built from the list)", check, whole);
    printShare("autosave write (every tick while a timer runs)", write, whole);
    printShare("painting (measured beside WM_TIMER)", painted - whole, painted);
    std::printf("  row 0 now %s elapsed; autosave.ini %zu bytes\n",
                formatTimeText(table.readTimerRow(0).timeCurrent).c_str(),
                readWholeFile(autosaveWritePath).size());
}
}  // namespace

int main(int argc, char** argv) {
    Options options = parseOptions(argc, argv);
    benchTickAlone(options);
    benchMainWindow(options);
    return 0;
}
