#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <map>
#include <random>
#include <string>
#include <vector>

#include "app/row_commands.h"
#include "books/book_price.h"
#include "books/stretch_recorder.h"
#include "memory_list_control.h"
#include "timers/field_text.h"
#include "timers/tick_engine.h"
#include "timers/tick_run.h"
#include "week_chain.h"

namespace {
// Keeps every call the engine makes, in order, as one line of text each.
class RecordingEvents : public TimerEvents {
public:
    void playSound(const char* fileName) override { calls.push_back(std::string("sound ") + fileName); }
    void openProgram(const char* fileName, const char* parameters) override {
        calls.push_back(std::string("open ") + fileName + " " + parameters);
    }
    void showBalloon(const char* title, const char* text) override {
        calls.push_back(std::string("balloon ") + title + ": " + text);
        balloonTexts.push_back(text);
    }
    void refreshClock() override { calls.push_back("refresh"); }
    void timerFinished(int row, TimerId) override { finishedRows.push_back(row); }
    void runningAfterTick(const RunningTimers& after) override { running = after; }
    void tickReported(const TickReport& tick) override { report = tick; }

    std::vector<std::string> calls;
    std::vector<std::string> balloonTexts;
    std::vector<int> finishedRows;
    RunningTimers running;
    TickReport report;
};

// A limited timer as the editor stores it: running, from zero, skipping its
// first tick.
TimerRecord editorTimer(const char* description, int setSeconds, ChainMode chain = Off) {
    TimerRecord r;
    std::strcpy(r.description, description);
    std::strcpy(r.fileName, "reminder.wav");
    r.timeSet = timeFromSeconds(setSeconds);
    r.limit = 1;
    r.runTimer = chain;
    r.flags = skipTick;
    r.state = Running;
    return r;
}

class TickEngineTest : public ::testing::Test {
protected:
    void add(const TimerRecord& r) { table.writeTimerRow(-1, r); }
    void tick(int times = 1) {
        for (int i = 0; i < times; ++i) tickTimers(table, events);
    }
    TimerRecord row(int index) const { return table.readTimerRow(index); }
    std::string elapsed(int index) const { return formatTimeText(row(index).timeCurrent); }

    MemoryListControl list;
    TimerTable table{list};
    RecordingEvents events;
};
}  // namespace

TEST_F(TickEngineTest, EditorTimerSkipsOneTickAndCompletesOnTheSixth) {
    add(editorTimer("Tea", 5));
    tick();
    EXPECT_EQ(elapsed(0), "00:00:00");
    EXPECT_EQ(row(0).flags & skipTick, 0);
    tick();
    EXPECT_EQ(elapsed(0), "00:00:01");
    tick(3);
    EXPECT_EQ(row(0).state, Running);
    EXPECT_TRUE(events.calls.empty());

    tick();
    TimerRecord r = row(0);
    EXPECT_EQ(r.state, Finished);
    EXPECT_EQ(formatTimeText(r.timeCurrent), "00:00:05");
    EXPECT_EQ(formatTimeText(r.timeLeft), "00:00:00");
    EXPECT_EQ(events.calls, (std::vector<std::string>{"sound reminder.wav", "balloon Timer: Tea"}));

    tick(10);  // a finished timer stays as it is and never completes again
    EXPECT_EQ(row(0).state, Finished);
    EXPECT_EQ(events.calls.size(), 2u);
}

TEST_F(TickEngineTest, TimeCarriesIntoMinutesAndHoursAndStopsAtTheSetTime) {
    TimerRecord r = editorTimer("long", 2 * 3600);
    r.flags = 0;
    r.timeCurrent = {0, 59, 59};
    add(r);
    tick();
    EXPECT_EQ(elapsed(0), "01:00:00");
    EXPECT_EQ(formatTimeText(row(0).timeLeft), "01:00:00");

    // A set time that is not in normal form (hand-edited minutes) still
    // stops the timer there instead of letting it run past.
    TimerRecord odd = editorTimer("odd", 0);
    odd.flags = 0;
    odd.timeSet = {0, 0, 90};
    odd.timeCurrent = {0, 1, 29};
    add(odd);
    tick();
    EXPECT_EQ(row(1).state, Finished);
    EXPECT_EQ(totalSeconds(row(1).timeCurrent), 90);
}

TEST_F(TickEngineTest, TopChainRepeatsEveryTPlusOneTicks) {
    add(editorTimer("loop", 3, Top));
    std::vector<int> completions;
    for (int t = 1; t <= 20; ++t) {
        std::size_t before = events.balloonTexts.size();
        tick();
        if (events.balloonTexts.size() > before) completions.push_back(t);
    }
    EXPECT_EQ(completions, (std::vector<int>{4, 8, 12, 16, 20}));
    EXPECT_EQ(row(0).state, Running);
    EXPECT_EQ(list.selectedFocusedRow(), 0);
}

TEST_F(TickEngineTest, NextStartsTheRowBelowInTheSameWalk) {
    add(editorTimer("first", 2, Next));
    TimerRecord second = editorTimer("second", 2);
    second.state = Paused;
    second.flags = 0;
    second.timeCurrent = {0, 0, 1};
    add(second);

    tick(3);  // the first completes on its third tick and starts the second
    EXPECT_EQ(row(0).state, Finished);
    EXPECT_EQ(row(1).state, Running);
    EXPECT_EQ(elapsed(1), "00:00:00");
    EXPECT_EQ(row(1).flags & skipTick, 0) << "the started row lies below and used its skip in the same walk";
    EXPECT_EQ(list.selectedFocusedRow(), 1);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"sound reminder.wav", "balloon Timer: first", "refresh"}));

    tick();
    EXPECT_EQ(elapsed(1), "00:00:01");
    tick();
    EXPECT_EQ(row(1).state, Finished);
}

TEST_F(TickEngineTest, NextRestartsAFinishedRowButNotFromTheLastRow) {
    TimerRecord done = editorTimer("done", 2);
    done.state = Finished;
    done.timeCurrent = done.timeSet;
    add(done);
    add(editorTimer("middle", 1, Next));
    add(editorTimer("last", 1, Next));
    TimerRecord third = row(2);
    third.state = Finished;
    table.writeTimerRow(2, third);
    TimerRecord last = editorTimer("bottom", 1, Next);
    add(last);

    tick(2);
    // "middle" restarted the finished row below it; "bottom" wrapped nowhere.
    EXPECT_EQ(row(1).state, Finished);
    EXPECT_EQ(row(2).state, Running);
    EXPECT_EQ(elapsed(2), "00:00:00");
    EXPECT_EQ(row(3).state, Finished);
    EXPECT_EQ(row(0).state, Finished);
    EXPECT_EQ(elapsed(0), "00:00:02");
    EXPECT_EQ(list.selectedFocusedRow(), 2);
}

TEST_F(TickEngineTest, TopStartedFromBelowWaitsOneMoreTick) {
    TimerRecord top = editorTimer("top", 5);
    top.state = Finished;
    top.timeCurrent = top.timeSet;
    add(top);
    add(editorTimer("below", 1, Top));

    tick(2);
    EXPECT_EQ(row(1).state, Finished);
    EXPECT_EQ(row(0).state, Running);
    EXPECT_EQ(list.selectedFocusedRow(), 0);
    tick();
    EXPECT_EQ(elapsed(0), "00:00:00");
    tick();
    EXPECT_EQ(elapsed(0), "00:00:01");
}

TEST_F(TickEngineTest, TwoCompletionsInOneTickActInRowOrder) {
    TimerRecord program = editorTimer("second", 1);
    program.actionType = RunProgram;
    std::strcpy(program.fileName, "notify.exe");
    std::strcpy(program.parameters, "--loud");
    add(editorTimer("first", 1));
    add(program);
    TimerRecord oddAction = editorTimer("third", 1);
    oddAction.actionType = 7;  // any action but a sound runs the program
    std::strcpy(oddAction.fileName, "x.exe");
    add(oddAction);

    tick(2);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"sound reminder.wav", "balloon Timer: first",
                                                      "open notify.exe --loud", "balloon Timer: second",
                                                      "open x.exe ", "balloon Timer: third"}));
}

TEST_F(TickEngineTest, PausedTimerKeepsItsTimeAndResumesFromThere) {
    TimerRecord r = editorTimer("paused", 60);
    r.state = Paused;
    r.flags = 0;
    r.timeCurrent = {0, 0, 10};
    add(r);
    tick(25);
    EXPECT_EQ(elapsed(0), "00:00:10");
    EXPECT_EQ(row(0).state, Paused);

    TimerRecord resumed = row(0);
    resumed.state = Running;  // Play/Pause
    table.writeTimerRow(0, resumed);
    tick();
    EXPECT_EQ(elapsed(0), "00:00:11");
}

TEST_F(TickEngineTest, ZeroSetTimeCompletesOnTheFirstAdvancingTick) {
    add(editorTimer("instant", 0));
    tick();
    EXPECT_EQ(row(0).state, Running);
    tick();
    EXPECT_EQ(row(0).state, Finished);
    EXPECT_EQ(elapsed(0), "00:00:00");
}

TEST_F(TickEngineTest, UnlimitedTimerStopsAtTheLongestShownTimeAndKeepsRunning) {
    TimerRecord r = editorTimer("forever", 0);
    r.limit = 0;
    r.flags = 0;
    r.timeCurrent = {99, 59, 57};
    add(r);
    tick(2);
    EXPECT_EQ(elapsed(0), "99:59:59");
    tick(5);
    EXPECT_EQ(elapsed(0), "99:59:59");
    EXPECT_EQ(row(0).state, Running);
    EXPECT_TRUE(events.calls.empty());
}

TEST_F(TickEngineTest, StartTimerRowRestartsAnyStateAndKeepsTheOtherFields) {
    TimerRecord r = editorTimer("chained", 30, Next);
    r.state = Finished;
    r.flags = 8 | waitsToResume;  // bits other than skipTick travel unchanged; started, it waits no more
    r.timeCurrent = r.timeSet;
    std::strcpy(r.unit, "minute");
    r.coastInt = 3;
    add(r);
    add(editorTimer("other", 30));
    list.selectRow(1);

    startTimerRow(table, events, 0);
    TimerRecord s = row(0);
    EXPECT_EQ(s.state, Running);
    EXPECT_EQ(s.flags, 8 | skipTick);
    EXPECT_EQ(elapsed(0), "00:00:00");
    EXPECT_EQ(formatTimeText(s.timeLeft), "00:00:30");
    EXPECT_STREQ(s.description, "chained");
    EXPECT_EQ(s.runTimer, Next);
    EXPECT_STREQ(s.unit, "minute");
    EXPECT_EQ(s.coastInt, 3);
    EXPECT_EQ(list.selectedFocusedRow(), 0);
    EXPECT_EQ(events.calls, std::vector<std::string>{"refresh"});

    startTimerRow(table, events, 5);  // no such row: nothing happens
    EXPECT_EQ(events.calls.size(), 1u);
    EXPECT_EQ(list.selectedFocusedRow(), 0);
}

TEST_F(TickEngineTest, BalloonTextIsCutTo255CharactersAtACharacterBoundary) {
    setFieldTextEncoding(TextEncoding::Utf8);
    TimerRecord exact = editorTimer("", 0);
    std::memset(exact.description, 'a', 255);
    TimerRecord split = editorTimer("", 0);
    std::memset(split.description, 'b', 254);
    std::strcpy(split.description + 254, "\xC3\xA9tag");  // "é" would straddle the cut
    add(exact);
    add(split);
    tick(2);
    ASSERT_EQ(events.balloonTexts.size(), 2u);
    EXPECT_EQ(events.balloonTexts[0], std::string(255, 'a'));
    EXPECT_EQ(events.balloonTexts[1], std::string(254, 'b'));

    showCompletionBalloon(editorTimer("", 0), events);  // an empty description still shows
    EXPECT_EQ(events.calls.back(), "balloon Timer: ");
}

TEST_F(TickEngineTest, ACatchUpActsOncePerFinishedTimerAndTellsOfThemInOneBalloon) {
    add(editorTimer("Tea", 2, Next));
    TimerRecord lap = editorTimer("Break", 1, Top);  // with Tea, a lap every few seconds for the whole hour
    lap.state = Paused;
    std::strcpy(lap.fileName, "break.wav");
    add(lap);
    add(editorTimer("", 5));  // counted, but there is no name to give; its sound is Tea's, started once
    TimerRecord call = editorTimer("Call", 30);
    call.actionType = RunProgram;
    std::strcpy(call.fileName, "call.exe");
    add(call);
    TimerRecord paused = editorTimer("Paused", 3);
    paused.state = Paused;
    add(paused);

    tickTimers(table, events, 3600);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"sound reminder.wav", "sound break.wav", "open call.exe ",
                                                      "balloon Timer: 4 timers finished meanwhile: Tea, Break, Call",
                                                      "refresh"}));
    EXPECT_EQ(row(4).state, Paused);
    EXPECT_EQ(elapsed(4), "00:00:00");

    // One timer finished: its own balloon, as at any completion.
    events.calls.clear();
    table.deleteAllRows();
    add(editorTimer("Egg", 5));
    tickTimers(table, events, 600);
    EXPECT_EQ(events.calls, (std::vector<std::string>{"sound reminder.wav", "balloon Timer: Egg"}));

    // A sound that repeats is the repeats' to play, the first time too; but
    // one that finished more than ten minutes before the catch-up's end
    // plays once, as any other.
    for (const int64_t gap : {int64_t{1}, int64_t{600}, int64_t{601}}) {
        events.calls.clear();
        table.deleteAllRows();
        TimerRecord egg = editorTimer("Egg", 5);
        egg.flags |= repeatSound;
        add(egg);
        tickTimers(table, events, 5);
        tickTimers(table, events, gap);  // it finishes in the first of them
        const bool played = std::count(events.calls.begin(), events.calls.end(), "sound reminder.wav") == 1;
        EXPECT_EQ(played, gap == 601) << gap;
    }
    EXPECT_EQ(finishedMeanwhileText(2, ""), "2 timers finished meanwhile.");
    EXPECT_EQ(finishedMeanwhileText(100, std::string(300, 'x')).size(), 255u);
}

namespace {
// The walk as it reads on paper, one second at a time over plain records:
// the measure that a run of many seconds at once must meet exactly.
struct PaperWalk {
    std::vector<TimerRecord> rows;
    int selected = -1;
    std::vector<int> finished;  // each timer once, in the order it first finished
    bool lapped = false;        // a timer finished twice: a chain came round
    // What a run cannot skip: the rows it must read (those running at first
    // and those a chain starts), and below the Top ring at the top, if there
    // is one, the events (a skipped tick, a finish) and the starts of ring
    // rows.
    std::vector<bool> read;
    int ringRows = 0;
    int64_t eventsBelow = 0;
    int64_t startsFromBelow = 0;
    int64_t now = 0;            // the tick being walked, from 1
    std::vector<RowRuns> runs;  // what the tick must report of each row
    // With `countGains`, what each row's counting added to its time and its
    // sum, second by second: what the books must hold.
    bool countGains = false;
    std::vector<int64_t> gainedSeconds, gainedCents;

    // The ring: rows 0 to k, where row k is the first that does not chain
    // Next, if it chains Top.
    void begin() {
        for (const TimerRecord& r : rows) read.push_back(r.state == Running);
        runs.resize(rows.size());
        gainedSeconds.assign(rows.size(), 0);
        gainedCents.assign(rows.size(), 0);
        const int size = static_cast<int>(rows.size());
        while (ringRows < size && rows[ringRows].runTimer == Next) ++ringRows;
        ringRows = ringRows < size && rows[ringRows].runTimer == Top ? ringRows + 1 : 0;
    }
    void start(int row, int walker) {
        if (rows[row].state == Running) {
            runs[row].cutAt.push_back(totalSeconds(rows[row].timeCurrent));
            runs[row].lastEnd = now;
        }
        if (runs[row].firstStart == 0) runs[row].firstStart = now;
        runs[row].lastStart = now;
        rows[row].flags = (rows[row].flags | skipTick) & ~waitsToResume;
        rows[row].state = Running;
        rows[row].timeCurrent = TimeHms{};
        selected = row;
        read[row] = true;
        startsFromBelow += row < ringRows && walker >= ringRows;
    }
    void tick() {
        ++now;
        for (int i = 0; i < static_cast<int>(rows.size()); ++i) {
            TimerRecord& r = rows[i];
            if (r.state != Running) continue;
            if (r.flags & skipTick) {
                r.flags &= ~skipTick;
                eventsBelow += i >= ringRows;
                continue;
            }
            const int64_t elapsed = totalSeconds(r.timeCurrent);
            const int64_t cents = countGains ? sumCents(r) : 0;
            if (r.limit == 0) {
                if (elapsed < totalSeconds({99, 59, 59})) r.timeCurrent = timeFromSeconds(elapsed + 1);
            } else {
                r.timeCurrent = elapsed + 1 > totalSeconds(r.timeSet) ? r.timeSet : timeFromSeconds(elapsed + 1);
            }
            if (countGains) {
                gainedSeconds[i] += totalSeconds(r.timeCurrent) - elapsed;
                gainedCents[i] += sumCents(r) - cents;
            }
            if (r.limit != 0 && totalSeconds(r.timeCurrent) >= totalSeconds(r.timeSet)) finish(i);
        }
    }
    void finish(int i) {
        TimerRecord& r = rows[i];
        r.state = Finished;
        ++runs[i].finishes;
        runs[i].lastEnd = runs[i].lastFinish = now;
        eventsBelow += i >= ringRows;
        if (std::find(finished.begin(), finished.end(), i) == finished.end()) {
            finished.push_back(i);
        } else {
            lapped = true;
        }
        if (r.runTimer == Next && i + 1 < static_cast<int>(rows.size())) start(i + 1, i);
        if (r.runTimer == Top) start(0, i);
    }
    // Every event below the ring, and 6 laps of the ring, each at most 2 r^2
    // events (two in each row for each of at most r runners), from the start
    // and again after each start from below: tick_run.cpp tells why.
    int64_t mostEventsWalked() const {
        return eventsBelow + (1 + startsFromBelow) * 6 * 2 * static_cast<int64_t>(ringRows) * ringRows;
    }
};

// The units a price can be given in, with what one of them is worth; the
// test is case-sensitive, so a capital M charges per second.
const struct {
    const char* name;
    int seconds;
} priceUnits[] = {{"second", 1}, {"minute", 60}, {"hour", 3600}, {"Minute", 1}, {"", 1}};
const char* const priceFractions[] = {"", "0", "05", "25", "5", "7", "99"};

// The sum owed, worked out in whole cents from the price's digits.
std::string expectedSum(const TimerRecord& r) {
    int period = 1;
    for (const auto& unit : priceUnits) {
        if (std::strcmp(unit.name, r.unit) == 0) period = unit.seconds;
    }
    if (r.forValue != 0) period *= r.forValue;
    const std::string fraction = r.coastFrac;
    const int64_t fractionCents = fraction.empty() ? 0 : fraction.size() == 1 ? (fraction[0] - '0') * 10 : std::stoi(fraction);
    const int64_t cents = (r.coastInt * 100 + fractionCents) * (totalSeconds(r.timeCurrent) / period);
    char text[40];
    std::snprintf(text, sizeof text, "%lld.%02lld", static_cast<long long>(cents / 100),
                  static_cast<long long>(cents % 100));
    return text;
}

// A table of chains (Next and Top, mostly 0 to 4 seconds), one-shots,
// counters and paused and finished rows, with skips pending here and there,
// prices on any of them and wave files shared between rows. With `ring` the
// top rows form a Top chain with up to half of them running at once, the
// hardest repetition to find, and the rows below it are the events outside
// it: countdowns of all lengths up to the longest, some chained. Half the
// rings start at a lap, with one runner about to start the top row, and
// one countdown outside, with an event in that lap's tick, finishes on,
// just before or just after a later lap: the edges of the laps a run may
// skip. The rows below it count up. With `packedRing` that many rows are
// the ring, not at a lap, 5 to 9 seconds each with every other one
// running: far enough apart for most of them to keep going round.
std::vector<TimerRecord> generatedTable(std::mt19937& random, int rows, bool ring, int packedRing = 0) {
    auto pick = [&random](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
    const int ringRows = packedRing ? packedRing : ring && rows > 1 ? 2 + pick(rows - 1) : 0;
    const bool atALap = !packedRing && pick(2) == 0;
    int64_t lap = 1;  // the ticks one runner takes round the ring
    std::vector<TimerRecord> table;
    for (int i = 0; i < rows; ++i) {
        TimerRecord r;
        std::snprintf(r.description, sizeof r.description, "T%d", i);
        std::snprintf(r.fileName, sizeof r.fileName, "T%d.wav", i % 4);
        const int kind = pick(10);
        r.state = kind < 6 ? Running : kind < 8 ? Paused : Finished;
        if (i < packedRing) r.state = i % 2 ? Finished : Running;
        // At a lap, one countdown has events outside the ring.
        r.limit = i < ringRows || (atALap && ringRows > 0 ? i == ringRows : pick(4) != 0);
        r.flags = (pick(3) == 0 ? skipTick : 0) | (pick(4) == 0 ? 2 << pick(4) : 0);
        if (i < ringRows) {
            r.timeSet = timeFromSeconds(packedRing ? 5 + pick(5) : pick(5));
            r.runTimer = i == ringRows - 1 ? Top : Next;
            lap += std::max<int64_t>(1, totalSeconds(r.timeSet));
        } else if (r.limit && ringRows > 0 && atALap) {
            r.timeSet = timeFromSeconds(lap * (1 + pick(4)) + (pick(2) ? -1 : pick(2)));
            r.runTimer = pick(3) ? Top : Next;
        } else if (r.limit) {
            const int longest = totalSeconds({99, 59, 59});
            r.timeSet = timeFromSeconds(pick(3) ? pick(5) : pick(2) ? pick(90000) : longest - pick(longest / 2));
            r.runTimer = pick(3) ? Next : pick(3) ? Top : Off;
        }
        if (r.limit) {
            const int64_t set = totalSeconds(r.timeSet);
            r.timeCurrent = r.state == Finished ? r.timeSet : timeFromSeconds(set ? pick(static_cast<int>(set)) : 0);
        } else {
            r.timeCurrent = timeFromSeconds(pick(2) ? pick(100) : 359990 + pick(10));
        }
        if (i < ringRows && atALap) {
            const bool top = i == ringRows - 1;
            r.state = top ? Running : Finished;
            r.flags &= ~skipTick;
            r.timeCurrent = timeFromSeconds(std::max<int64_t>(0, totalSeconds(r.timeSet) - (top ? 1 : 0)));
        } else if (i >= ringRows && ringRows > 0 && atALap && r.limit) {
            r.state = Running;
            r.flags |= skipTick;  // an event in the first lap's tick
            r.timeCurrent = TimeHms{};
        }
        if (pick(2)) {
            r.coastInt = pick(20);
            std::strcpy(r.coastFrac, priceFractions[pick(std::size(priceFractions))]);
            std::strcpy(r.unit, priceUnits[pick(std::size(priceUnits))].name);
            r.forValue = pick(4) ? pick(59) + 1 : 0;
        }
        table.push_back(r);
    }
    return table;
}

// A full table whose top 50 to 70 rows are a Top ring with 25 to 35 of them
// running at once, the slowest repetition to find; in odd rounds the
// rows below are a chain of long countdowns finishing every few minutes all
// week, in round 3 starting the ring again at its end.
std::vector<TimerRecord> weekTable(std::mt19937& random, int round) {
    const int ringRows = 50 + static_cast<int>(random() % 21);
    std::vector<TimerRecord> table = generatedTable(random, maxTimers, true, ringRows);
    for (int i = ringRows; round % 2 == 1 && i < maxTimers; ++i) {
        const int shorter = static_cast<int>(random() % 120);
        table[i] = weekChainCountdown(i - ringRows, maxTimers - ringRows, round == 3, shorter);
    }
    return table;
}

// A ring of two, 5 and 1 seconds (a lap of 7), whose top row two Top
// countdowns below start just as it hands on, at 5 s and 12 s: the ring
// stands at 12 s as at 5 s only because of them, as row 1 restarts row 0 a
// second later. Taken for a lap come round, it would skip laps it never goes.
std::vector<TimerRecord> startedFromBelowTable() {
    std::vector<TimerRecord> table;
    for (int set : {5, 1, 5, 12}) table.push_back(editorTimer("", set, table.empty() ? Next : Top));
    for (TimerRecord& r : table) r.flags = 0;
    table[1].state = Paused;
    return table;
}

// The table as a failure shows it: one line a row.
std::string describe(const std::vector<TimerRecord>& table) {
    static const char* const states[] = {"running", "paused", "finished"};
    static const char* const chains[] = {"off", "next", "top"};
    std::string text;
    for (std::size_t i = 0; i < table.size(); ++i) {
        const TimerRecord& r = table[i];
        char line[160];
        std::snprintf(line, sizeof line, "\n  row %zu: %s, %s of %s, chain %s, flags %d", i, states[r.state],
                      formatTimeText(r.timeCurrent).c_str(), r.limit ? formatTimeText(r.timeSet).c_str() : "no limit",
                      chains[r.runTimer], r.flags);
        text += line;
    }
    return text;
}

// The sounds a run of `seconds` starts: each finished timer's, but a
// catch-up starts each wave file once, and a sound that repeats is left to
// the repeats, unless it finished more than ten minutes before the end.
std::vector<std::string> expectedSounds(const PaperWalk& paper, int64_t seconds) {
    std::vector<std::string> sounds;
    std::vector<std::string> started;
    for (int row : paper.finished) {
        const std::string call = std::string("sound ") + paper.rows[row].fileName;
        const bool again = std::find(started.begin(), started.end(), call) != started.end();
        started.push_back(call);
        const bool repeats = repeatsSound(paper.rows[row]) && seconds - paper.runs[row].lastFinish < soundRepeatSeconds;
        if ((seconds == 1 || !again) && !repeats) sounds.push_back(call);
    }
    return sounds;
}
}  // namespace

TEST_F(TickEngineTest, ManySecondsAtOnceGiveExactlyWhatSingleTicksWouldHave) {
    std::mt19937 random(20261207);
    const int64_t week = 7 * 86400;
    const int64_t gaps[] = {1, 2, 3, 7, 61, 3599, 86400, 3 * 86400 + 17, week};
    int lapped = 0;
    for (int64_t gap : gaps) {
        const int generated = gap == week ? 4 : gap > 3600 ? 8 : 120;
        for (int round = 0; round <= generated; ++round) {
            PaperWalk paper;
            if (round == generated) {
                paper.rows = startedFromBelowTable();
            } else if (gap == week) {
                paper.rows = weekTable(random, round);
            } else {
                paper.rows = generatedTable(random, round == 0 ? maxTimers : 1 + static_cast<int>(random() % 24),
                                            round % 2 == 1);
            }
            const int rows = static_cast<int>(paper.rows.size());
            list.deleteAllRows();
            for (const TimerRecord& r : paper.rows) add(r);
            paper.rows.clear();
            for (int i = 0; i < rows; ++i) paper.rows.push_back(row(i));  // as the table shows them
            paper.begin();
            const std::vector<TimerRecord> before = paper.rows;
            events.calls.clear();
            events.balloonTexts.clear();
            events.finishedRows.clear();

            TickRun counted(table);  // the same run, for its work alone
            counted.advance(gap);
            const int readsBefore = list.cellReads();
            const bool heldChange = tickTimers(table, events, gap);
            const int reads = list.cellReads() - readsBefore;
            for (int64_t t = 0; t < gap; ++t) paper.tick();

            SCOPED_TRACE("after " + std::to_string(gap) + " s, the table" + describe(before));
            EXPECT_LE(counted.eventsWalked(), paper.mostEventsWalked()) << "events walked";
            bool fileChange = false;
            for (int i = 0; i < rows; ++i) {
                const TimerRecord r = row(i);
                const TimerRecord& p = paper.rows[i];
                EXPECT_EQ(r.state, p.state) << "row " << i;
                EXPECT_EQ(r.flags, p.flags) << "row " << i;
                EXPECT_EQ(elapsed(i), formatTimeText(p.timeCurrent)) << "row " << i;
                EXPECT_EQ(list.cellText(i, ColumnSum), expectedSum(p)) << "row " << i;
                fileChange = fileChange || before[i].state != p.state || before[i].flags != p.flags;
            }
            EXPECT_EQ(list.selectedFocusedRow(), paper.selected);
            std::vector<std::string> sounds;
            for (const std::string& call : events.calls) {
                if (call.rfind("sound ", 0) == 0) sounds.push_back(call);
            }
            EXPECT_EQ(sounds, expectedSounds(paper, gap));
            EXPECT_EQ(events.balloonTexts.empty(), paper.finished.empty());
            EXPECT_EQ(heldChange, fileChange) << "whether the timer set file must be written";
            // What the tray shows comes from the tick's own records, not
            // from reading the table again: the tick reads each row it needs
            // once, and no other.
            const int readsOfRows = list.cellReads();
            row(0);
            const int cellsOfARow = list.cellReads() - readsOfRows;
            EXPECT_EQ(reads, std::count(paper.read.begin(), paper.read.end(), true) * cellsOfARow) << "cells read";
            EXPECT_EQ(events.finishedRows, paper.finished);
            EXPECT_EQ(events.report.seconds, gap);
            std::size_t reported = 0;
            for (int i = 0; i < rows; ++i) {
                const RowRuns& p = paper.runs[i];
                if (p.endedRuns() == 0 && p.lastStart == 0) continue;
                ASSERT_LT(reported, events.report.rows.size()) << "row " << i << " is not reported";
                const RowRuns& r = events.report.rows[reported++];
                EXPECT_EQ(r.row, i);
                EXPECT_EQ(r.id, table.rowId(i));
                EXPECT_EQ(r.finishes, p.finishes) << "row " << i;
                EXPECT_EQ(r.cutAt, p.cutAt) << "row " << i;
                EXPECT_EQ(r.firstStart, p.firstStart) << "row " << i;
                EXPECT_EQ(r.lastStart, p.lastStart) << "row " << i;
                EXPECT_EQ(r.lastEnd, p.lastEnd) << "row " << i;
                EXPECT_EQ(r.lastFinish, p.lastFinish) << "row " << i;
                EXPECT_EQ(r.record.state, paper.rows[i].state) << "row " << i;
            }
            EXPECT_EQ(reported, events.report.rows.size()) << "rows reported without a run";
            const RunningTimers read = findRunningTimers(table);
            EXPECT_EQ(events.running.count(), read.count());
            EXPECT_EQ(events.running.soonestCountdown(), read.soonestCountdown());
            EXPECT_EQ(events.running.firstCountUp(), read.firstCountUp());
            EXPECT_EQ(events.running.shownSeconds(), read.shownSeconds());
            lapped += paper.lapped;
        }
    }
    // The tables must keep chains coming round, or the laps go unchecked.
    EXPECT_GT(lapped, 200);
}

namespace {
// Hands the commands' ends of stretches to the books, as the main window does.
class BooksHost : public RowCommandHost {
public:
    BooksHost(StretchRecorder& books, const int64_t& now) : books_(books), now_(now) {}
    void warn(const char*) override {}
    bool confirm(const char*) override { return true; }
    void refreshClock() override {}
    void runEnds(TimerId id, const TimerRecord& record) override { books_.endStretch(id, record, now_); }

private:
    StretchRecorder& books_;
    const int64_t& now_;
};
}  // namespace

TEST_F(TickEngineTest, TheBooksHoldWhatEveryTimerCountedAndGainedThroughCommandsAndCatchUps) {
    std::mt19937 random(20261208);
    auto pick = [&random](int below) { return static_cast<int>(random() % static_cast<unsigned>(below)); };
    StretchRecorder books;
    int64_t now = localSeconds({{2026, 12, 8}, 9, 0, 0});
    BooksHost host(books, now);
    // By description, unique over the whole run: what the paper counted, and
    // what the books' entries hold.
    std::map<std::string, int64_t> countedSeconds, gainedCents, bookedSeconds, bookedCents;
    int tables = 0;
    int merged = 0;
    auto load = [&] {
        books.endAll(table, now);
        list.deleteAllRows();
        for (TimerRecord r : generatedTable(random, 1 + pick(12), pick(2) == 0)) {
            std::snprintf(r.description, sizeof r.description, "L%d-%d", tables, table.rowCount());
            add(r);
        }
        ++tables;
    };
    load();
    for (int step = 0; step < 2000; ++step) {
        const int kind = pick(12);
        if (table.rowCount() > 0) table.selectRow(pick(table.rowCount()));
        if (kind < 5) {
            const int64_t gap = kind < 3 ? 1 : pick(2) ? 2 + pick(100) : 600 + pick(7200);
            PaperWalk paper;
            for (int i = 0; i < table.rowCount(); ++i) paper.rows.push_back(row(i));
            paper.countGains = true;
            paper.begin();
            for (int64_t t = 0; t < gap; ++t) paper.tick();
            for (std::size_t i = 0; i < paper.rows.size(); ++i) {
                countedSeconds[paper.rows[i].description] += paper.gainedSeconds[i];
                gainedCents[paper.rows[i].description] += paper.gainedCents[i];
            }
            now += gap;
            tickTimers(table, events, gap);
            books.tickReported(events.report, now);
        } else if (kind == 5) {
            togglePlayPause(table);
        } else if (kind == 6) {
            restartSelectedTimer(table, host);
        } else if (kind == 7 && table.rowCount() > 0) {
            deleteSelectedTimer(table, host);
        } else if (kind == 8 && table.rowCount() > 0) {
            // The editor's OK: the timer starts over from zero, maybe at
            // another price.
            const int edited = table.findSelectedRow();
            TimerRecord r = row(edited);
            books.endStretch(table.rowId(edited), r, now);
            r.timeCurrent = TimeHms{};
            r.flags = skipTick;
            r.state = pick(2) ? Running : Paused;
            r.coastInt = pick(20);
            table.writeTimerRow(edited, r);
        } else if (kind == 9) {
            resumeTimers(table);
        } else if (kind == 10) {
            load();
        } else {
            books.endAll(table, now);  // the exit, and the next start that resumes
            resumeTimers(table);
        }
        books.follow(table, now);
        for (const BookEntry& entry : books.takeEntries()) {
            EXPECT_GE(entry.seconds, 1);
            EXPECT_EQ(localSeconds(entry.end) - localSeconds(entry.start) >= entry.seconds, true) << entry.description;
            bookedSeconds[entry.description] += entry.seconds;
            bookedCents[entry.description] += entry.cents;
            merged += entry.runs > 1;
        }
        std::map<std::string, int64_t> openSeconds, openCents;
        for (const OpenStretch& stretch : books.open()) {
            const TimerRecord r = row(table.findRow(stretch.id));
            ASSERT_EQ(r.state, Running) << r.description;
            openSeconds[r.description] += totalSeconds(r.timeCurrent) - stretch.startElapsed;
            openCents[r.description] += sumCents(r) - stretch.startCents;
        }
        for (const auto& [description, seconds] : countedSeconds) {
            SCOPED_TRACE("step " + std::to_string(step) + ", " + description);
            EXPECT_EQ(bookedSeconds[description] + openSeconds[description], seconds);
            EXPECT_EQ(bookedCents[description] + openCents[description], gainedCents[description]);
        }
        if (HasFailure()) break;
    }
    EXPECT_GT(merged, 20) << "catch-ups that merged a timer's runs";
}
