// A catch-up in memory: how long the tick takes to apply a long gap (the
// computer slept for an hour, a day, a week) over a full table whose Top
// chain keeps completing all the while. The first table is the soak tests'
// (a ring of 20 chained timers, 40 one-shots, 40 priced counters), once with
// its ring as it is (2 to 6 seconds a timer) and once with every ring timer
// at 1 second, the busiest a chain can be. The others are rings with many
// timers running in them at once, of mixed set times: such a ring comes back
// to where it was only after as many laps as it has runners, the hardest
// repetition to find; below them counters, countdowns that finish once, or
// a chain of long countdowns whose finishes fall every few minutes all week,
// twice with its last row starting the ring's top row again, each time it
// finishes (the slowest tables so far). Beside the times it prints the
// events the run walked one by one, which the laps it skips spare.
//
//   catch_up_bench [--runs N]
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "memory_list_control.h"
#include "soak_timers.h"
#include "timers/tick_engine.h"
#include "timers/tick_run.h"
#include "week_chain.h"

namespace {
class QuietEvents : public TimerEvents {
public:
    void playSound(const char*) override { ++actions; }
    void openProgram(const char*, const char*) override { ++actions; }
    void showBalloon(const char*, const char*) override {}
    void refreshClock() override {}
    int actions = 0;
};

// What fills the rows below a ring: running priced counters, which have no
// event of their own; countdowns that finish one after another over the
// week, each once; or a Next chain of long countdowns, all running, whose
// finishes fall every few minutes all week, its last row starting nothing
// or, chained Top, starting the ring's top row again once for each row of
// the chain.
enum class Below { Counters, OneShots, Chain, ChainToTop };

// A Top ring over the first `ringRows` rows with `runners` of them running,
// spread evenly and each part way through; set times cycle from `shortest`
// to `longest` seconds; `below` fills the rest.
void fillRunnerRing(TimerTable& table, int ringRows, int runners, int shortest, int longest,
                    Below below = Below::Counters) {
    table.deleteAllRows();
    for (int row = 0; row < maxTimers; ++row) {
        TimerRecord r;
        std::strcpy(r.unit, "minute");
        r.coastInt = 2;
        if (row < ringRows) {
            const int set = shortest + (row * 3) % (longest - shortest + 1);
            r.limit = 1;
            r.timeSet = timeFromSeconds(set);
            r.runTimer = row == ringRows - 1 ? Top : Next;
            const bool runs = row % (ringRows / runners) == 0 && row / (ringRows / runners) < runners;
            r.state = runs ? Running : Paused;
            r.timeCurrent = timeFromSeconds(runs ? row % set : 0);
        } else if (below == Below::OneShots) {
            r.limit = 1;
            r.timeSet = timeFromSeconds(std::min(7001 * (row - ringRows + 1), 359999));
        } else if (below != Below::Counters) {
            r = weekChainCountdown(row - ringRows, maxTimers - ringRows, below == Below::ChainToTop);
        }
        std::snprintf(r.description, sizeof r.description, "Row %d", row);
        table.writeTimerRow(-1, r);
    }
    table.selectRow(0);
}

struct Table {
    const char* name;
    void (*fill)(TimerTable&);
};

const Table tables[] = {
    {"soak ring, 2-6 s", soak::fillTimers},
    {"soak ring, 1 s", soak::fillTimersWithOneSecondRing},
    {"100-ring, 25 run, 1-7 s", [](TimerTable& t) { fillRunnerRing(t, 100, 25, 1, 7); }},
    {"100-ring, 20 run, 2-6 s", [](TimerTable& t) { fillRunnerRing(t, 100, 20, 2, 6); }},
    {"60-ring, 30 run, 1-3 s", [](TimerTable& t) { fillRunnerRing(t, 60, 30, 1, 3); }},
    {"100-ring, 50 run, 1-2 s", [](TimerTable& t) { fillRunnerRing(t, 100, 50, 1, 2); }},
    {"100-ring, 100 run, 1-9 s", [](TimerTable& t) { fillRunnerRing(t, 100, 100, 1, 9); }},
    {"50-ring, 25 run, 50 shots", [](TimerTable& t) { fillRunnerRing(t, 50, 25, 1, 7, Below::OneShots); }},
    {"50-ring, 50 run, 50 shots", [](TimerTable& t) { fillRunnerRing(t, 50, 50, 1, 9, Below::OneShots); }},
    {"70-ring, 35 run, 30 shots", [](TimerTable& t) { fillRunnerRing(t, 70, 35, 5, 9, Below::OneShots); }},
    {"60-ring, 30 run, 40 chain", [](TimerTable& t) { fillRunnerRing(t, 60, 30, 1, 9, Below::Chain); }},
    {"50-ring, 25 run, 50 chain", [](TimerTable& t) { fillRunnerRing(t, 50, 25, 1, 9, Below::Chain); }},
    {"70-ring, 35 run, 30 chain", [](TimerTable& t) { fillRunnerRing(t, 70, 35, 5, 9, Below::Chain); }},
    {"60-ring, 30 run, 40 to top", [](TimerTable& t) { fillRunnerRing(t, 60, 30, 1, 9, Below::ChainToTop); }},
    {"70-ring, 35 run 20-30 s, top", [](TimerTable& t) { fillRunnerRing(t, 70, 35, 20, 30, Below::ChainToTop); }},
};

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// The events the run walks, one by one: what the laps it skips spare.
int64_t eventsWalked(const Table& ring, int64_t gap) {
    MemoryListControl list;
    TimerTable table(list);
    ring.fill(table);
    TickRun run(table);
    run.advance(gap);
    return run.eventsWalked();
}

void measure(const Table& ring, const char* gapName, int64_t gap, int runs) {
    std::vector<double> ms;
    int actions = 0;
    for (int run = 0; run < runs; ++run) {
        MemoryListControl list;
        TimerTable table(list);
        ring.fill(table);
        QuietEvents events;
        const auto start = std::chrono::steady_clock::now();
        tickTimers(table, events, gap);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        actions = events.actions;
    }
    std::printf("%-28s %-8s %9.3f ms median, %9.3f ms the slowest, %8lld events walked  (%d runs; %d sounds and programs started)\n",
                ring.name, gapName, medianOf(ms), *std::max_element(ms.begin(), ms.end()),
                static_cast<long long>(eventsWalked(ring, gap)), runs, actions);
}
}  // namespace

int main(int argc, char** argv) {
    int runs = 20;
    for (int i = 1; i + 1 < argc; ++i) {
        if (std::strcmp(argv[i], "--runs") == 0) runs = std::max(1, std::atoi(argv[i + 1]));
    }
    std::printf("-- a catch-up in memory over %d timers (tickTimers on an in-memory list)\n", maxTimers);
    const struct {
        const char* name;
        int64_t seconds;
    } gaps[] = {{"1 s", 1}, {"1 hour", 3600}, {"1 day", 86400}, {"1 week", 604800}};
    for (const Table& ring : tables) {
        for (const auto& gap : gaps) measure(ring, gap.name, gap.seconds, runs);
    }
    return 0;
}
