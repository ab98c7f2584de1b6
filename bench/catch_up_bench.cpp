// A catch-up in memory: how long the tick takes to apply a long gap (the
// computer slept for an hour, a day, a week) over a full table whose Top
// chain keeps completing all the while. The table is the soak tests' (a
// ring of 20 chained timers, 40 one-shots, 40 priced counters), once with
// its ring as it is (2 to 6 seconds a timer) and once with every ring timer
// at 1 second, the busiest a chain can be.
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

namespace {
class QuietEvents : public TimerEvents {
public:
    void playSound(const char*) override { ++actions; }
    void openProgram(const char*, const char*) override { ++actions; }
    void showBalloon(const char*, const char*) override {}
    void refreshClock() override {}
    int actions = 0;
};

double medianOf(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

void measure(const char* ring, bool oneSecondRing, const char* gapName, int64_t gap, int runs) {
    std::vector<double> ms;
    int actions = 0;
    for (int run = 0; run < runs; ++run) {
        MemoryListControl list;
        TimerTable table(list);
        if (oneSecondRing) {
            soak::fillTimersWithOneSecondRing(table);
        } else {
            soak::fillTimers(table);
        }
        QuietEvents events;
        const auto start = std::chrono::steady_clock::now();
        tickTimers(table, events, gap);
        ms.push_back(std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
        actions = events.actions;
    }
    std::printf("%-22s %-8s %9.3f ms median, %9.3f ms the slowest  (%d runs; %d sounds and programs started)\n",
                ring, gapName, medianOf(ms), *std::max_element(ms.begin(), ms.end()), runs, actions);
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
    for (bool oneSecondRing : {false, true}) {
        for (const auto& gap : gaps) {
            measure(oneSecondRing ? "ring of 1 s timers" : "ring of 2-6 s timers", oneSecondRing, gap.name,
                    gap.seconds, runs);
        }
    }
    return 0;
}
