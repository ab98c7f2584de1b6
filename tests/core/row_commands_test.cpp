#include <gtest/gtest.h>

#include <map>

#include <cctype>
#include <cstring>
#include <string>
#include <vector>

#include "app/row_commands.h"
#include "memory_list_control.h"
#include "timers/timer_table.h"

namespace {
class ScriptedHost : public RowCommandHost {
public:
    bool answer = false;
    std::vector<std::string> warnings;
    std::vector<std::string> questions;
    int clockRefreshes = 0;

    void warn(const char* text) override { warnings.push_back(text); }
    bool confirm(const char* question) override {
        questions.push_back(question);
        return answer;
    }
    void refreshClock() override { ++clockRefreshes; }
};

TimerRecord timer(const char* description, TimerState state = Paused, TimeHms elapsed = {}) {
    TimerRecord r;
    std::strcpy(r.description, description);
    r.state = state;
    r.timeCurrent = elapsed;
    return r;
}

class RowCommandsTest : public ::testing::Test {
protected:
    MemoryListControl list;
    TimerTable table{list};
    ScriptedHost host;

    void add(const TimerRecord& record) {
        table.writeTimerRow(-1, record);
        const TimerId id = table.rowId(table.rowCount() - 1);
        EXPECT_TRUE(id != 0 && named.count(id) == 0) << "a new row's identity must be its own";
        named[id] = record.description;
    }
    void addTimers(std::initializer_list<const char*> descriptions) {
        for (const char* d : descriptions) add(timer(d));
    }
    // The descriptions top to bottom; each row's identity must still be the
    // one its timer was given, wherever the row went.
    std::vector<std::string> order() const {
        std::vector<std::string> descriptions;
        for (int row = 0; row < table.rowCount(); ++row) {
            descriptions.push_back(table.readTimerRow(row).description);
            const auto id = named.find(table.rowId(row));
            EXPECT_TRUE(id != named.end() && id->second == descriptions.back()) << "row " << row << " lost its identity";
        }
        return descriptions;
    }
    std::map<TimerId, std::string> named;
    using Strings = std::vector<std::string>;
};
}  // namespace

TEST_F(RowCommandsTest, PlayPauseSwapsRunningAndPausedAndLeavesFinishedAlone) {
    table.writeTimerRow(-1, timer("tea", Running, {0, 1, 2}));
    table.writeTimerRow(-1, timer("done", Finished, {0, 5, 0}));

    table.selectRow(0);
    togglePlayPause(table);
    EXPECT_EQ(table.readTimerRow(0).state, Paused);
    togglePlayPause(table);
    EXPECT_EQ(table.readTimerRow(0).state, Running);
    EXPECT_EQ(formatTimeText(table.readTimerRow(0).timeCurrent), "00:01:02");

    table.selectRow(1);
    const int writesBefore = list.cellWrites();
    togglePlayPause(table);
    EXPECT_EQ(table.readTimerRow(1).state, Finished);
    EXPECT_EQ(list.cellWrites(), writesBefore);
}

TEST_F(RowCommandsTest, CommandsWithoutASelectedRowChangeNothing) {
    addTimers({"a", "b"});
    list.setFocusOnly(1);  // focused but not selected does not count
    const int writesBefore = list.cellWrites();

    togglePlayPause(table);
    restartSelectedTimer(table, host);
    moveSelectedTimerUp(table);
    moveSelectedTimerDown(table);
    EXPECT_EQ(list.cellWrites(), writesBefore);
    EXPECT_EQ(host.clockRefreshes, 0);

    host.answer = true;
    deleteSelectedTimer(table, host);
    EXPECT_EQ(host.warnings, Strings{"Please select an item."});
    EXPECT_TRUE(host.questions.empty());
    EXPECT_EQ(order(), (Strings{"a", "b"}));
}

TEST_F(RowCommandsTest, RestartRunsAFinishedTimerFromZeroWithItsNextTickSkipped) {
    TimerRecord finished = timer("eggs", Finished, {0, 5, 0});
    finished.limit = 1;
    finished.timeSet = {0, 5, 0};
    finished.flags = 8 | waitsToResume;  // other flag bits survive; restarted, it waits no more
    finished.runTimer = Next;
    table.writeTimerRow(-1, finished);
    table.selectRow(0);

    restartSelectedTimer(table, host);

    TimerRecord r = table.readTimerRow(0);
    EXPECT_EQ(r.state, Running);
    EXPECT_EQ(formatTimeText(r.timeCurrent), "00:00:00");
    EXPECT_EQ(formatTimeText(r.timeLeft), "00:05:00");
    EXPECT_EQ(r.flags, 8 | skipTick);
    EXPECT_EQ(r.runTimer, Next);
    EXPECT_STREQ(r.description, "eggs");
    EXPECT_EQ(host.clockRefreshes, 1);
}

// "Resume timers" goes on with exactly the timers the last run left
// running; starting one by hand takes it out of them.
TEST_F(RowCommandsTest, ResumeGoesOnWithTheTimersThatWaitAndPlayTakesOneOut) {
    const struct {
        TimerState state;
        int32_t flags;
        TimerState after;
    } rows[] = {
        {Paused, waitsToResume, Running},   {Paused, 0, Paused},
        {Paused, waitsToResume | 8, Running}, {Finished, waitsToResume, Finished},
        {Paused, waitsToResume, Paused},    // started and paused again by hand first
    };
    for (const auto& r : rows) {
        TimerRecord record = timer("t", r.state, {0, 0, 30});
        record.flags = r.flags;
        table.writeTimerRow(-1, record);
    }
    table.selectRow(4);
    togglePlayPause(table);
    togglePlayPause(table);
    EXPECT_TRUE(anyTimerWaitsToResume(table));
    EXPECT_EQ(resumeTimers(table), 3);
    for (int row = 0; row < 5; ++row) {
        const TimerRecord record = table.readTimerRow(row);
        EXPECT_EQ(record.state, rows[row].after) << "row " << row;
        EXPECT_EQ(record.flags, rows[row].flags & ~waitsToResume) << "row " << row;
        EXPECT_EQ(formatTimeText(record.timeCurrent), "00:00:30") << "row " << row;
    }
    EXPECT_FALSE(anyTimerWaitsToResume(table));
    EXPECT_EQ(resumeTimers(table), 0);
}

TEST_F(RowCommandsTest, DeleteAsksFirstAndThenSelectsTheTopRow) {
    addTimers({"a", "b", "c"});
    table.selectRow(2);

    deleteSelectedTimer(table, host);  // answered No
    EXPECT_EQ(host.questions, Strings{"Delete the selected item. Are you sure?"});
    EXPECT_EQ(order(), (Strings{"a", "b", "c"}));
    EXPECT_EQ(host.clockRefreshes, 0);

    host.answer = true;
    deleteSelectedTimer(table, host);
    EXPECT_EQ(order(), (Strings{"a", "b"}));
    EXPECT_EQ(table.findSelectedRow(), 0);  // the top row, not the neighbour
    EXPECT_EQ(host.clockRefreshes, 1);
    EXPECT_TRUE(host.warnings.empty());
}

TEST_F(RowCommandsTest, DeletingTheLastRowLeavesNothingSelected) {
    addTimers({"only"});
    table.selectRow(0);
    host.answer = true;

    deleteSelectedTimer(table, host);

    EXPECT_EQ(table.rowCount(), 0);
    EXPECT_EQ(table.findSelectedRow(), -1);
    EXPECT_EQ(host.clockRefreshes, 1);  // the clock goes back to the time of day
}

TEST_F(RowCommandsTest, MovingPastAnEndExchangesTheTwoEndRows) {
    addTimers({"a", "b", "c", "d"});

    table.selectRow(0);
    moveSelectedTimerUp(table);
    EXPECT_EQ(order(), (Strings{"d", "b", "c", "a"}));  // an exchange, not a rotation
    EXPECT_EQ(table.findSelectedRow(), 3);

    moveSelectedTimerDown(table);
    EXPECT_EQ(order(), (Strings{"a", "b", "c", "d"}));
    EXPECT_EQ(table.findSelectedRow(), 0);

    table.selectRow(2);
    moveSelectedTimerUp(table);
    EXPECT_EQ(order(), (Strings{"a", "c", "b", "d"}));
    EXPECT_EQ(table.findSelectedRow(), 1);
    moveSelectedTimerDown(table);
    moveSelectedTimerDown(table);
    EXPECT_EQ(order(), (Strings{"a", "b", "d", "c"}));
    EXPECT_EQ(table.findSelectedRow(), 3);
}

TEST_F(RowCommandsTest, MoveCarriesEveryFieldAndWorksWithTwoRowsButNotOne) {
    add(timer("running", Running, {1, 2, 3}));
    add(timer("finished", Finished, {0, 0, 9}));
    table.selectRow(1);

    moveSelectedTimerDown(table);
    TimerRecord top = table.readTimerRow(0);
    EXPECT_STREQ(top.description, "finished");
    EXPECT_EQ(top.state, Finished);
    EXPECT_EQ(formatTimeText(top.timeCurrent), "00:00:09");
    EXPECT_EQ(table.readTimerRow(1).state, Running);
    EXPECT_EQ(table.findSelectedRow(), 0);

    moveSelectedTimerUp(table);
    EXPECT_EQ(order(), (Strings{"running", "finished"}));
    EXPECT_EQ(table.findSelectedRow(), 1);

    table.deleteRow(0);
    table.selectRow(0);
    const int writesBefore = list.cellWrites();
    moveSelectedTimerUp(table);
    moveSelectedTimerDown(table);
    EXPECT_EQ(list.cellWrites(), writesBefore);
}

namespace {
class ColumnSortTest : public RowCommandsTest {
protected:
    ColumnSort sort{std::strcmp, 0};

    void setColumn(int column, std::initializer_list<const char*> texts) {
        int row = 0;
        for (const char* text : texts) list.setCellText(row++, column, text);
    }
};

int compareIgnoringCase(const char* first, const char* second) {
    for (;; ++first, ++second) {
        int a = std::tolower(static_cast<unsigned char>(*first));
        int b = std::tolower(static_cast<unsigned char>(*second));
        if (a != b || !a) return a - b;
    }
}
}  // namespace

TEST_F(ColumnSortTest, DirectionAlternatesWhicheverColumnIsClicked) {
    add(timer("b", Paused, {0, 0, 30}));
    add(timer("c", Paused, {0, 10, 0}));
    add(timer("a", Paused, {2, 0, 0}));

    sortByColumn(table, sort, ColumnDescription);
    EXPECT_EQ(order(), (Strings{"a", "b", "c"}));
    EXPECT_EQ(sort.sortDescending, 1);

    // The next click, on another column, sorts that one descending.
    sortByColumn(table, sort, ColumnTimeCurrent);
    EXPECT_EQ(order(), (Strings{"a", "c", "b"}));  // 02:00:00, 00:10:00, 00:00:30
    EXPECT_EQ(sort.sortDescending, 0);

    sortByColumn(table, sort, ColumnTimeCurrent);
    EXPECT_EQ(order(), (Strings{"b", "c", "a"}));
}

TEST_F(ColumnSortTest, SumSortsByNumericValue) {
    addTimers({"ten", "nine fifty", "none", "three quarters"});
    setColumn(ColumnSum, {"10.00", "9.50", "", "0.75"});

    sortByColumn(table, sort, ColumnSum);
    EXPECT_EQ(order(), (Strings{"none", "three quarters", "nine fifty", "ten"}));
    sortByColumn(table, sort, ColumnSum);
    EXPECT_EQ(order(), (Strings{"ten", "nine fifty", "three quarters", "none"}));
}

TEST_F(ColumnSortTest, TextColumnsUseTheGivenComparisonOnTextCutToAField) {
    addTimers({"x", "y", "z"});
    setColumn(ColumnUnit, {"beta", "Gamma", "alpha"});
    sort.compareText = compareIgnoringCase;

    EXPECT_GT(compareRows(table, sort, 1, 0, ColumnUnit), 0);  // plain strcmp would say "Gamma" < "beta"
    sort.sortDescending = 1;
    EXPECT_LT(compareRows(table, sort, 1, 0, ColumnUnit), 0);
    sort.sortDescending = 0;
    sortByColumn(table, sort, ColumnUnit);
    EXPECT_EQ(order(), (Strings{"z", "x", "y"}));

    // Beyond a field's 259 characters two texts no longer differ.
    const std::string common(timerTextSize - 1, 'q');
    list.setCellText(0, ColumnUnit, (common + "a").c_str());
    list.setCellText(1, ColumnUnit, (common + "b").c_str());
    EXPECT_EQ(compareRows(table, sort, 0, 1, ColumnUnit), 0);
}

TEST(MenuStates, FollowTheSelectionAndTheRowCount) {
    struct Case {
        int selected, rows;
        bool rowItems, moveItems, save;
    };
    const Case cases[] = {
        {-1, 0, false, false, false},
        {-1, 3, false, false, true},
        {0, 1, true, false, true},
        {0, 2, true, true, true},
        {2, 3, true, true, true},
    };
    for (const Case& c : cases) {
        const MenuStates states = menuStatesFor(c.selected, c.rows);
        EXPECT_EQ(states.rowItems, c.rowItems) << c.selected << "/" << c.rows;
        EXPECT_EQ(states.moveItems, c.moveItems) << c.selected << "/" << c.rows;
        EXPECT_EQ(states.saveItem, c.save) << c.selected << "/" << c.rows;
    }
}
