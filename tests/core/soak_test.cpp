// A whole day of ticks (86,400) over a full table kept in memory: the chains
// keep their timing to the tick, the counters reach 24 hours exactly, and
// the heap holds no more blocks at the end than after the first hour. The
// program counts its heap blocks itself, so it is a test program of its own.
#include <gtest/gtest.h>

#include <chrono>
#include <cstdio>
#include <string>

#include "heap_counter.h"
#include "memory_list_control.h"
#include "sets/timer_set_file.h"
#include "soak_timers.h"
#include "timers/tick_engine.h"

namespace {
class CountingEvents : public TimerEvents {
public:
    void playSound(const char* fileName) override {
        ++sounds;
        lastFile = fileName;
    }
    void openProgram(const char* fileName, const char*) override {
        ++programs;
        lastFile = fileName;
    }
    void showBalloon(const char*, const char* text) override {
        ++balloons;
        lastBalloon = text;
    }
    void refreshClock() override { ++refreshes; }

    long long sounds = 0, programs = 0, balloons = 0, refreshes = 0;
    std::string lastFile, lastBalloon;
};
}  // namespace

TEST(SoakTest, ADayOfTicksOverAFullTableKeepsItsTimingAndItsMemory) {
    const int ticks = 24 * 60 * 60;
    const int warmUp = 60 * 60;
    MemoryListControl list;
    TimerTable table(list);
    soak::fillTimers(table);
    CountingEvents events;
    std::string saved;  // what the autosave would hold
    int saves = 0;
    HeapCount early;

    auto start = std::chrono::steady_clock::now();
    for (int tick = 1; tick <= ticks; ++tick) {
        tickTimers(table, events);
        // The main window builds the set text after every tick to see whether
        // the file must be written; once a minute is enough to soak that path.
        if (tick % 60 == 0) {
            TextBuffer text = buildTimerSetText(table);
            if (saved.compare(0, std::string::npos, text.text(), static_cast<std::size_t>(text.length())) != 0) {
                saved.assign(text.text(), static_cast<std::size_t>(text.length()));
                ++saves;
            }
        }
        if (tick == warmUp) early = liveHeap();
    }
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    const HeapCount late = liveHeap();
    std::printf("  %d ticks over %d timers in %.2f s (%.1f us a tick); %lld completions, %lld clock refreshes, "
                "%d changed set texts\n",
                ticks, table.rowCount(), seconds, seconds * 1e6 / ticks, events.balloons, events.refreshes, saves);
    std::printf("  heap after the first hour: %lld blocks, %lld bytes; after the day: %lld blocks, %lld bytes\n",
                early.blocks, early.bytes, late.blocks, late.bytes);

    EXPECT_EQ(events.balloons, soak::expectedCompletions(ticks));
    EXPECT_EQ(events.sounds + events.programs, events.balloons);
    EXPECT_EQ(events.programs, 5);
    for (int row = soak::firstOneShot; row < soak::firstCounter; ++row) {
        TimerRecord r = table.readTimerRow(row);
        EXPECT_EQ(r.state, Finished) << row;
        EXPECT_EQ(formatTimeText(r.timeCurrent), formatTimeText(r.timeSet)) << row;
    }
    for (int row = soak::firstCounter; row < maxTimers; ++row) {
        const bool paused = (row - soak::firstCounter) % soak::pausedEvery == 0;
        const char* expected = paused ? "00:00:00" : row == soak::nearTheStopRow ? "99:59:59" : "24:00:00";
        EXPECT_EQ(formatTimeText(table.readTimerRow(row).timeCurrent), expected) << row;
    }
    // 5.5 an hour, charged per two hours: twelve periods in the day.
    EXPECT_EQ(list.cellText(soak::firstCounter + 1, ColumnSum), "66.00");

    EXPECT_LE(late.blocks - early.blocks, 16) << "heap blocks pile up with the ticks";
    EXPECT_LE(late.bytes - early.bytes, 64 * 1024) << "heap bytes pile up with the ticks";
}
