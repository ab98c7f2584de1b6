#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <cstdio>
#include <cstring>
#include <string>

#include "bad_timer_sets.h"
#include "memory_list_control.h"
#include "sets/timer_set_file.h"
#include "timers/field_text.h"

namespace {
TimerRecord teaTimer() {
    TimerRecord r;
    std::strcpy(r.description, "Tea");
    r.timeSet = {0, 1, 30};
    r.timeCurrent = {0, 0, 45};
    r.limit = 1;
    std::strcpy(r.fileName, ".\\wave files\\reminder.wav");
    r.flags = skipTick;
    r.runTimer = Next;
    r.coastInt = 2;
    std::strcpy(r.coastFrac, "5");
    r.forValue = 15;
    std::strcpy(r.unit, "minute");
    return r;
}

const char* const teaSection =
    "\r\n[TIMER_0]"
    "\r\nDESCRIPTION = Tea"
    "\r\nHOURS = 0\r\nMINUTES = 1\r\nSECONDS = 30"
    "\r\nACTION_TYPE = 0"
    "\r\nFILE = .\\wave files\\reminder.wav"
    "\r\nFLAGS = 1"
    "\r\nPARAMETER = "
    "\r\nRUN_TIMER = 1\r\nSTATE = 0\r\nLIMIT = 1"
    "\r\nCOAST_INT = 2\r\nCOAST_FRAC = 5\r\nVALUE = 15"
    "\r\nUNIT = minute\r\n";

TimerRecord programTimer() {
    TimerRecord r;
    std::strcpy(r.description, "Build \xE2\x80\x94 nightly");  // UTF-8 em dash
    r.timeSet = {2, 0, 0};  // not kept: the timer has no limit
    r.state = Finished;
    r.actionType = RunProgram;
    std::strcpy(r.fileName, "C:\\tools\\make.exe");
    std::strcpy(r.parameters, "-C \"x y\" ; a=b");
    r.coastInt = INT_MIN;
    std::strcpy(r.unit, "hour");
    return r;
}

const char* const programSection =
    "\r\n[TIMER_1]"
    "\r\nDESCRIPTION = Build \xE2\x80\x94 nightly"
    "\r\nHOURS = 0\r\nMINUTES = 0\r\nSECONDS = 0"
    "\r\nACTION_TYPE = 1"
    "\r\nFILE = C:\\tools\\make.exe"
    "\r\nFLAGS = 0"
    "\r\nPARAMETER = -C \"x y\" ; a=b"
    "\r\nRUN_TIMER = 0\r\nSTATE = 2\r\nLIMIT = 0"
    "\r\nCOAST_INT = -2147483648\r\nCOAST_FRAC = \r\nVALUE = 0"
    "\r\nUNIT = hour\r\n";

void expectSameSettings(const TimerRecord& a, const TimerRecord& b) {
    EXPECT_STREQ(a.description, b.description);
    EXPECT_EQ(formatTimeText(a.timeSet), formatTimeText(b.timeSet));
    EXPECT_EQ(a.actionType, b.actionType);
    EXPECT_STREQ(a.fileName, b.fileName);
    EXPECT_STREQ(a.parameters, b.parameters);
    EXPECT_EQ(a.runTimer, b.runTimer);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.limit, b.limit);
    EXPECT_EQ(a.coastInt, b.coastInt);
    EXPECT_STREQ(a.coastFrac, b.coastFrac);
    EXPECT_EQ(a.forValue, b.forValue);
    EXPECT_STREQ(a.unit, b.unit);
}

std::string section(int index, const std::string& lines) {
    return "\r\n[TIMER_" + std::to_string(index) + "]\r\n" + lines;
}

class TimerSetFileTest : public ::testing::Test {
protected:
    void SetUp() override { setFieldTextEncoding(TextEncoding::Utf8); }
    std::string written() const {
        TextBuffer text = buildTimerSetText(table);
        return std::string(text.text(), static_cast<std::size_t>(text.length()));
    }
    int load(const std::string& text, bool lastRun = false) {
        return readTimerSetText(loaded, text.data(), text.size(), lastRun);
    }

    MemoryListControl list;
    TimerTable table{list};
    MemoryListControl loadedList;
    TimerTable loaded{loadedList};
};
}  // namespace

TEST_F(TimerSetFileTest, WriterMakesTheExactBytesOfOneAndOfSeveralTimers) {
    EXPECT_EQ(written().size(), 0u) << "an empty table gives an empty file";
    table.writeTimerRow(-1, teaTimer());
    EXPECT_EQ(written(), teaSection);
    table.writeTimerRow(-1, programTimer());
    EXPECT_EQ(written(), std::string(teaSection) + programSection);
}

// However a record was filled, its texts stay values: a line break in one
// must never plant keys that the reader would take (the first copy wins).
TEST_F(TimerSetFileTest, ControlCharactersInAnyTextNeverBecomeLinesOfTheirOwn) {
    const char* const planted = "Tea\nACTION_TYPE = 1\r\nFILE = C:\\Windows\\calc.exe\rLIMIT = 1\tSECONDS = 5\x7F";
    const char* const asWritten = "Tea ACTION_TYPE = 1  FILE = C:\\Windows\\calc.exe LIMIT = 1 SECONDS = 5 ";
    using Text = char(TimerRecord::*)[timerTextSize];
    const Text fields[] = {&TimerRecord::description, &TimerRecord::fileName, &TimerRecord::parameters,
                           &TimerRecord::unit};
    for (Text field : fields) {
        TimerRecord r = teaTimer();
        std::strcpy(r.*field, planted);
        list.deleteAllRows();
        table.writeTimerRow(-1, r);
        ASSERT_EQ(load(written()), 1);
        const TimerRecord back = loaded.readTimerRow(0);
        TimerRecord expected = teaTimer();
        std::strcpy(expected.*field, asWritten);
        (expected.*field)[std::strlen(asWritten) - 1] = '\0';  // the reader trims the blank at the end
        expectSameSettings(back, expected);
    }
}

// autosave.ini keeps where each timer stood; at the next start each comes
// back paused there, and those that ran wait for "Resume timers". A named
// set, and a file of an older version, come back from zero as ever.
TEST_F(TimerSetFileTest, TheLastRunComesBackPausedWhereEachTimerStood) {
    const struct {
        const char* lines;  // the keys that differ from a limited 5-minute timer's
        bool lastRun;
        const char* elapsed;
        int32_t flags;
    } cases[] = {
        {"STATE = 0\r\nELAPSED = 120", true, "00:02:00", waitsToResume},
        {"STATE = 1\r\nELAPSED = 45", true, "00:00:45", 0},
        {"STATE = 1\r\nFLAGS = 5\r\nELAPSED = 45", true, "00:00:45", 5},  // waited the run before too
        {"STATE = 2\r\nFLAGS = 4\r\nELAPSED = 300", true, "00:00:00", 0},  // its work is done
        {"STATE = 0", true, "00:00:00", 0},                                   // an older version's file
        {"STATE = 0\r\nELAPSED = 120", false, "00:00:00", 0},                // a named set
        {"STATE = 0\r\nELAPSED = 9999", true, "00:05:00", waitsToResume},    // past its set time
        {"STATE = 1\r\nELAPSED = -7", true, "00:00:00", 0},
        {"STATE = 1\r\nELAPSED = 1x", true, "00:00:01", 0},
        {"STATE = 1\r\nELAPSED = zz", true, "00:00:00", 0},
        {"STATE = 1\r\nLIMIT = 0\r\nELAPSED = 99999999999", true, "99:59:59", 0},
    };
    for (const auto& c : cases) {
        const std::string text = section(0, std::string(c.lines) + "\r\nLIMIT = 1\r\nMINUTES = 5\r\n");
        ASSERT_EQ(load(text, c.lastRun), 1) << c.lines;
        const TimerRecord r = loaded.readTimerRow(0);
        EXPECT_EQ(formatTimeText(r.timeCurrent), c.elapsed) << c.lines;
        EXPECT_EQ(r.flags, c.flags) << c.lines;
        EXPECT_EQ(r.state, c.lastRun ? Paused : Running) << c.lines;
    }
    // The sixteenth key goes to autosave.ini only, after the fifteen; a
    // named set neither keeps the time nor a timer's wait to resume.
    TimerRecord tea = teaTimer();
    tea.flags |= waitsToResume;
    table.writeTimerRow(-1, tea);
    EXPECT_EQ(written(), teaSection) << "FLAGS = 1: the skip bit alone";
    TextBuffer withProgress = buildTimerSetText(table, true);
    std::string expected = teaSection;
    expected.replace(expected.find("FLAGS = 1"), 9, "FLAGS = 5");
    expected.insert(expected.size() - 2, "\r\nELAPSED = 45");
    EXPECT_EQ(std::string(withProgress.text(), static_cast<std::size_t>(withProgress.length())), expected);
}

TEST_F(TimerSetFileTest, SetComesBackInRowOrderWithElapsedTimesAtZero) {
    table.writeTimerRow(-1, teaTimer());
    table.writeTimerRow(-1, programTimer());
    TimerRecord third = teaTimer();
    std::strcpy(third.description, "third");
    third.coastInt = INT_MAX;
    table.writeTimerRow(-1, third);
    list.selectRow(2);

    EXPECT_EQ(load(written()), 3);
    ASSERT_EQ(loaded.rowCount(), 3);
    for (int i = 0; i < 3; ++i) {
        TimerRecord back = loaded.readTimerRow(i);
        expectSameSettings(back, table.readTimerRow(i));
        EXPECT_EQ(back.state, table.readTimerRow(i).state);
        EXPECT_TRUE(isZeroTime(back.timeCurrent)) << i;
    }
    EXPECT_EQ(loadedList.selectedFocusedRow(), 0);
}

TEST_F(TimerSetFileTest, PauseAllForcesEveryTimerPausedAndStateIsKeptOtherwise) {
    std::string text = section(0, "DESCRIPTION = a\r\nSTATE = 0\r\n") + section(1, "DESCRIPTION = b\r\nSTATE = 2\r\n") +
                       section(2, "DESCRIPTION = c\r\nSTATE = 7\r\n") + section(3, "DESCRIPTION = d\r\nSTATE = -1\r\n");
    ASSERT_EQ(load(text, true), 4);
    for (int i = 0; i < 4; ++i) EXPECT_EQ(loaded.readTimerRow(i).state, Paused) << i;

    ASSERT_EQ(load(text, false), 4);
    EXPECT_EQ(loaded.readTimerRow(0).state, Running);
    EXPECT_EQ(loaded.readTimerRow(1).state, Finished);
    EXPECT_EQ(loaded.readTimerRow(2).state, Paused) << "an unknown state comes back paused";
    EXPECT_EQ(loaded.readTimerRow(3).state, Paused);
}

TEST_F(TimerSetFileTest, TimersWithEmptyOrBlankDescriptionsAreNotLost) {
    TimerRecord named = teaTimer();
    TimerRecord empty = teaTimer();
    empty.description[0] = '\0';
    TimerRecord blank = teaTimer();
    std::strcpy(blank.description, "   ");
    TimerRecord last = programTimer();
    for (const TimerRecord& r : {named, empty, blank, last}) table.writeTimerRow(-1, r);

    std::string text = written();
    EXPECT_NE(text.find("\r\nDESCRIPTION = \r\n"), std::string::npos);
    ASSERT_EQ(load(text), 4);
    EXPECT_STREQ(loaded.readTimerRow(1).description, "");
    EXPECT_STREQ(loaded.readTimerRow(2).description, "") << "blanks at the ends of a value are not kept";
    EXPECT_EQ(loaded.readTimerRow(2).forValue, 15);
    expectSameSettings(loaded.readTimerRow(3), table.readTimerRow(3));
}

TEST_F(TimerSetFileTest, ReadingStopsAtTheFirstMissingSection) {
    std::string gap = section(0, "DESCRIPTION = a\r\n") + section(2, "DESCRIPTION = c\r\n");
    EXPECT_EQ(load(gap), 1);

    std::string hollow = section(0, "DESCRIPTION = a\r\n") + section(1, "NOTE = no timer key\r\n") +
                         section(2, "DESCRIPTION = c\r\n");
    EXPECT_EQ(load(hollow), 1) << "a section without any of the fifteen keys counts as missing";

    std::string noDescription = section(0, "HOURS = 1\r\nLIMIT = 1\r\n");
    ASSERT_EQ(load(noDescription), 1);
    EXPECT_STREQ(loaded.readTimerRow(0).description, "");
    EXPECT_EQ(formatTimeText(loaded.readTimerRow(0).timeSet), "01:00:00");

    std::string many;
    for (int i = 0; i < 150; ++i) many += section(i, "DESCRIPTION = t" + std::to_string(i) + "\r\n");
    EXPECT_EQ(load(many), 100);
    EXPECT_STREQ(loaded.readTimerRow(99).description, "t99");
}

TEST_F(TimerSetFileTest, LoadingEmptiesTheTableFirstAndSelectsOnlyWhenSomethingCameBack) {
    table.writeTimerRow(-1, teaTimer());
    ASSERT_EQ(load(written()), 1);
    EXPECT_EQ(load(""), 0);
    EXPECT_EQ(loaded.rowCount(), 0);
    EXPECT_EQ(loadedList.selectedFocusedRow(), -1);
    EXPECT_EQ(readTimerSetText(loaded, nullptr, 0, true), 0);
}

TEST_F(TimerSetFileTest, MissingKeysGiveDefaultsAndHandEditedLinesReadLikeWrittenOnes) {
    ASSERT_EQ(load(section(0, "DESCRIPTION = only\r\n")), 1);
    TimerRecord bare = loaded.readTimerRow(0);
    EXPECT_STREQ(bare.description, "only");
    EXPECT_EQ(bare.state, Running);
    EXPECT_EQ(bare.limit, 0);
    EXPECT_EQ(bare.flags, 0);
    EXPECT_EQ(bare.coastInt, 0);
    EXPECT_STREQ(bare.fileName, "");
    EXPECT_STREQ(bare.unit, "");

    std::string edited = "[timer_0]\nDESCRIPTION=Tea\n  HOURS   =   2  \nminutes=\t5\nLIMIT =1\r\nFLAGS = 1 \r\n";
    ASSERT_EQ(load(edited), 1);
    TimerRecord r = loaded.readTimerRow(0);
    EXPECT_STREQ(r.description, "Tea");
    EXPECT_EQ(formatTimeText(r.timeSet), "02:05:00");

    // Times out of range load as the time they add up to, 99:59:59 at most.
    const struct {
        const char* lines;
        const char* timeSet;
    } times[] = {{"HOURS = 99\nMINUTES = 61\n", "99:59:59"}, {"MINUTES = 75\nSECONDS = 70\n", "01:16:10"},
                 {"SECONDS = 359999\n", "99:59:59"}, {"HOURS = 1\nMINUTES = -30\n", "00:30:00"},
                 {"SECONDS = -1\n", "00:00:00"}};
    for (const auto& time : times) {
        ASSERT_EQ(load(section(0, std::string("DESCRIPTION = t\nLIMIT = 1\n") + time.lines)), 1);
        EXPECT_EQ(formatTimeText(loaded.readTimerRow(0).timeSet), time.timeSet) << time.lines;
    }
    EXPECT_EQ(r.flags, skipTick) << "a loaded timer keeps its skipped first tick";
}

TEST_F(TimerSetFileTest, OverlongValuesAreCutToTheirFields) {
    std::string v300(300, 'z');
    std::string text = section(0, "DESCRIPTION = " + v300 + "\r\nFILE = " + v300 + "\r\nPARAMETER = " + v300 +
                                      "\r\nUNIT = " + v300 + "\r\nCOAST_FRAC = 123456789\r\nVALUE = 4\r\n");
    ASSERT_EQ(load(text), 1);
    TimerRecord r = loaded.readTimerRow(0);
    std::string v259(259, 'z');
    EXPECT_EQ(r.description, v259);
    EXPECT_EQ(r.fileName, v259);
    EXPECT_EQ(r.parameters, v259);
    EXPECT_EQ(r.unit, v259);
    EXPECT_STREQ(r.coastFrac, "12") << "the table keeps two of the three characters read";
    EXPECT_EQ(r.forValue, 4);
}

TEST_F(TimerSetFileTest, NumbersBeyond32BitsAreClampedAndWrittenInFull) {
    ASSERT_EQ(load(section(0, "DESCRIPTION = big\r\nCOAST_INT = 4294967295\r\nVALUE = -99999999999\r\n")), 1);
    TimerRecord r = loaded.readTimerRow(0);
    EXPECT_EQ(r.coastInt, INT_MAX);
    EXPECT_EQ(r.forValue, INT_MIN);

    table.writeTimerRow(-1, r);
    std::string text = written();
    EXPECT_NE(text.find("\r\nCOAST_INT = 2147483647\r\n"), std::string::npos);
    EXPECT_NE(text.find("\r\nVALUE = -2147483648\r\n"), std::string::npos);
}

TEST_F(TimerSetFileTest, GarbageNeverCrashesAndLoadsAtMostWhatItHolds) {
    std::string garbage;
    for (int i = 0; i < 200000; ++i) garbage += static_cast<char>((i * 7919) % 256);
    EXPECT_LE(load(garbage), 100);
    std::string truncated = std::string(teaSection).substr(0, 40);  // cut in the middle of a line
    ASSERT_EQ(load(truncated), 1);
    EXPECT_STREQ(loaded.readTimerRow(0).description, "Tea");
}

// Each file loads what the reading rules make of it, and in time that grows
// with its size only. The time limit is far above what a linear reader needs
// even on a slow machine; the times are printed for the record.
TEST_F(TimerSetFileTest, HandMadeBadFilesLoadByTheRulesAndFast) {
    for (const BadTimerSet& bad : badTimerSets()) {
        SCOPED_TRACE(bad.name);
        auto start = std::chrono::steady_clock::now();
        int rows = load(bad.text, true);
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        std::printf("  %-44s %9zu bytes  %3d timers  %8.1f ms\n", bad.name.c_str(), bad.text.size(), rows, ms);
        EXPECT_LT(ms, 30000.0);
        ASSERT_EQ(rows, loaded.rowCount());
        if (bad.timers < 0) {
            EXPECT_LE(rows, 100);
            continue;
        }
        ASSERT_EQ(rows, bad.timers);
        if (rows == 0) continue;
        EXPECT_EQ(loaded.readTimerRow(0).description, bad.firstDescription);
        EXPECT_EQ(loaded.readTimerRow(rows - 1).description, bad.lastDescription);
        for (int i = 0; i < rows; ++i) EXPECT_EQ(loaded.readTimerRow(i).state, Paused) << i;
    }
}

TEST_F(TimerSetFileTest, LineFeedsAndAByteOrderMarkReadLikeTheWrittenFile) {
    std::string written = writtenSection(0, "one") + writtenSection(1, "two", 1);
    ASSERT_EQ(load(written), 2);
    MemoryListControl otherList;
    TimerTable other(otherList);
    std::string lineFeeds;
    for (char c : written) {
        if (c != '\r') lineFeeds += c;
    }
    for (const std::string& variant : {lineFeeds, "\xEF\xBB\xBF" + written, "\xEF\xBB\xBF" + lineFeeds}) {
        ASSERT_EQ(readTimerSetText(other, variant.data(), variant.size(), false), 2);
        for (int i = 0; i < 2; ++i) {
            expectSameSettings(other.readTimerRow(i), loaded.readTimerRow(i));
            EXPECT_EQ(other.readTimerRow(i).state, loaded.readTimerRow(i).state);
        }
    }
}

TEST_F(TimerSetFileTest, EveryNumberBeyond32BitsIsClampedNotWrapped) {
    ASSERT_EQ(load(numbersBeyond32Bits().text), 2);
    TimerRecord r = loaded.readTimerRow(0);
    EXPECT_EQ(r.limit, INT_MAX) << "4294967297 must not wrap to 1";
    EXPECT_EQ(r.coastInt, INT_MAX);
    EXPECT_EQ(r.forValue, INT_MIN);
    EXPECT_EQ(r.flags, INT_MAX) << "2^64 + 1 must not wrap to 1";
    EXPECT_EQ(r.state, Paused) << "a clamped, unknown state comes back paused";
    EXPECT_EQ(formatTimeText(r.timeSet), "99:59:59") << "billions of hours less billions of minutes";
    EXPECT_EQ(formatTimeText(loaded.readTimerRow(1).timeSet), "01:00:42") << "leading zeros are only zeros";
}

TEST_F(TimerSetFileTest, RepeatedSectionsAndKeysFirstOneWins) {
    std::string text = writtenSection(0, "first") + "DESCRIPTION = repeated key\r\nLIMIT = 0\r\n" +
                       writtenSection(0, "second") + writtenSection(1, "one");
    ASSERT_EQ(load(text), 2);
    EXPECT_STREQ(loaded.readTimerRow(0).description, "first");
    EXPECT_EQ(loaded.readTimerRow(0).limit, 1);
    EXPECT_STREQ(loaded.readTimerRow(1).description, "one");
}
