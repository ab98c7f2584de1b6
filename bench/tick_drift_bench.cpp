// How far a once-a-second window timer strays from the wall clock: the tick
// re-armed by TickSchedule exactly as the main window does it, beside a
// plain SetTimer(1000), both in one process and one message loop. Each
// counts its ticks; n ticks should have taken n seconds of the
// performance counter's time since the timer was armed. A count that falls
// behind shows as a lag that grows: the drift, in milliseconds per hour.
//
//   tick_drift_bench [--minutes M] [--work-ms W]
//
// --work-ms keeps each tick's handler busy for W ms, as the program's own
// tick is with a full table.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "bench_timer.h"
#include "timers/tick_schedule.h"

namespace {
constexpr UINT_PTR tickTimerId = 1;

// One timer's record: when it was armed and where its ticks fell. The lag
// of tick n is its time since arming less n seconds; the drift is the slope
// of that lag, fitted over every tick so one late delivery at the end does
// not decide it.
struct TickCount {
    const char* name;
    double armedMs = 0;
    double lastTickMs = 0;
    long ticks = 0;    // seconds counted
    long samples = 0;  // deliveries that counted some
    double maxLagMs = 0;
    double minLagMs = 0;
    double sumT = 0, sumLag = 0, sumTT = 0, sumTLag = 0;  // least squares, t in hours

    void onTick(long seconds = 1) {
        if (seconds == 0) return;  // early: it counted nothing
        lastTickMs = counterMs();
        ticks += seconds;
        ++samples;
        double lag = lagMs();
        maxLagMs = samples == 1 ? lag : std::max(maxLagMs, lag);
        minLagMs = samples == 1 ? lag : std::min(minLagMs, lag);
        double t = (lastTickMs - armedMs) / 3600000.0;
        sumT += t;
        sumLag += lag;
        sumTT += t * t;
        sumTLag += t * lag;
    }
    // Positive: the count is behind the wall clock.
    double lagMs() const { return (lastTickMs - armedMs) - ticks * 1000.0; }
    double driftMsPerHour() const {
        double n = static_cast<double>(samples);
        double denominator = n * sumTT - sumT * sumT;
        return samples > 1 && denominator > 0 ? (n * sumTLag - sumT * sumLag) / denominator : 0.0;
    }
};

TickCount scheduled{"TickSchedule (as the main window)"};
TickCount plain{"plain SetTimer(1000)"};
TickSchedule schedule;
double workMs = 0;

void doTickWork() {
    const double until = counterMs() + workMs;
    while (counterMs() < until) {
    }
}

int64_t monotonicMs() { return static_cast<int64_t>(GetTickCount64()); }

LRESULT CALLBACK scheduledProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    const TickSchedule::Due due = schedule.onTick(monotonicMs());
    SetTimer(window, tickTimerId, static_cast<UINT>(due.delayMs), nullptr);
    scheduled.onTick(static_cast<long>(due.seconds));
    doTickWork();
    return 0;
}

LRESULT CALLBACK plainProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    if (message != WM_TIMER) return DefWindowProcA(window, message, wParam, lParam);
    plain.onTick();
    doTickWork();
    return 0;
}

HWND createTimerWindow(const char* className, WNDPROC proc) {
    WNDCLASSA windowClass = {};
    windowClass.lpfnWndProc = proc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = className;
    RegisterClassA(&windowClass);
    return CreateWindowExA(0, className, className, 0, 0, 0, 0, 0, HWND_MESSAGE, nullptr,
                           GetModuleHandleA(nullptr), nullptr);
}

void report(const TickCount& count) {
    double elapsedS = (count.lastTickMs - count.armedMs) / 1000.0;
    std::printf("%-34s %5ld ticks in %8.3f s  lag now %+7.1f ms (min %+6.1f, max %+6.1f)  drift %+8.1f ms/h\n",
                count.name, count.ticks, elapsedS, count.lagMs(), count.minLagMs, count.maxLagMs,
                count.driftMsPerHour());
}
}  // namespace

int main(int argc, char** argv) {
    double minutes = 10.0;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--minutes") == 0) minutes = std::atof(argv[i + 1]);
        if (std::strcmp(argv[i], "--work-ms") == 0) workMs = std::atof(argv[i + 1]);
    }
    HWND scheduledWindow = createTimerWindow("HoraletScheduledTick", scheduledProc);
    HWND plainWindow = createTimerWindow("HoraletPlainTick", plainProc);

    // Armed as the main window arms its tick at start: one period, with the
    // schedule counting from the same moment.
    schedule.restart(monotonicMs());
    scheduled.armedMs = counterMs();
    SetTimer(scheduledWindow, tickTimerId, static_cast<UINT>(TickSchedule::periodMs), nullptr);
    plain.armedMs = counterMs();
    SetTimer(plainWindow, tickTimerId, 1000, nullptr);

    const double endMs = counterMs() + minutes * 60000.0;
    double nextReportMs = counterMs() + 60000.0;
    MSG msg;
    while (counterMs() < endMs && GetMessageA(&msg, nullptr, 0, 0) > 0) {
        DispatchMessageA(&msg);
        if (counterMs() >= nextReportMs) {
            nextReportMs += 60000.0;
            report(scheduled);
            report(plain);
            std::fflush(stdout);
        }
    }
    std::printf("-- after %.1f minutes, %.0f ms of work in every tick\n", minutes, workMs);
    report(scheduled);
    report(plain);
    DestroyWindow(scheduledWindow);
    DestroyWindow(plainWindow);
    return 0;
}
