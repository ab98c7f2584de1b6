#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <random>
#include <string>
#include <vector>

#include "app/timer_list_commands.h"
#include "dialog_script.h"
#include "platform/list_view_control.h"
#include "res/resource.h"
#include "timers/timer_table.h"
#include "window_fixture.h"

namespace {
using Strings = std::vector<std::string>;

class TimerListCommandsTest : public ::testing::Test {
protected:
    ListViewWindow window;
    ListViewControl list{window.list()};
    TimerTable table{list};
    AppState app = window.appState();
    MessageScript messages;
    HMENU timerMenuCopy = LoadMenuA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDM_MAIN_MENU));

    TimerListCommandsTest() {
        app.hwndClock = CreateWindowExA(0, "STATIC", "", WS_CHILD, 0, 0, 100, 20, window.window(), nullptr,
                                        app.hInstance, nullptr);
        SetMenu(window.window(), LoadMenuA(app.hInstance, MAKEINTRESOURCEA(IDM_MAIN_MENU)));
        app.timerMenu = GetSubMenu(timerMenuCopy, 1);
    }
    ~TimerListCommandsTest() override { DestroyMenu(timerMenuCopy); }

    void addTimer(const char* description, TimerState state = Paused) {
        TimerRecord r;
        std::strcpy(r.description, description);
        r.state = state;
        r.timeCurrent = {0, 3, 0};
        table.writeTimerRow(-1, r);
    }
    Strings column(int index) const {
        Strings texts;
        for (int row = 0; row < table.rowCount(); ++row) texts.push_back(list.cellText(row, index));
        return texts;
    }
    // Every cell of every row, each row's state and which row is selected.
    Strings everyCell() const {
        Strings cells{std::to_string(table.findSelectedRow())};
        for (int row = 0; row < table.rowCount(); ++row) {
            cells.push_back(std::to_string(list.rowImage(row)));
            for (int column = 0; column < timerColumnCount; ++column) cells.push_back(list.cellText(row, column));
        }
        return cells;
    }
    // Each column header's sort arrow: HDF_SORTUP, HDF_SORTDOWN or 0.
    std::vector<int> sortArrows() const {
        HWND header = reinterpret_cast<HWND>(SendMessageA(window.list(), LVM_GETHEADER, 0, 0));
        std::vector<int> arrows;
        for (int i = 0; i < timerColumnCount; ++i) {
            HDITEMA item = {};
            item.mask = HDI_FORMAT;
            SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item));
            arrows.push_back(item.fmt & (HDF_SORTUP | HDF_SORTDOWN));
        }
        return arrows;
    }
    bool greyed(HMENU menu, int id) const { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_GRAYED) != 0; }
    // The state of an item, or "mixed" when the two menus disagree.
    std::string timerItem(int id) const {
        const bool bar = greyed(GetMenu(app.hwndMain), id);
        if (bar != greyed(app.timerMenu, id)) return "mixed";
        return bar ? "grey" : "on";
    }
};
}  // namespace

TEST_F(TimerListCommandsTest, MenuItemsFollowTheSelectionInBothMenus) {
    const int rowItems[] = {IDM_TIMER_EDIT, IDM_TIMER_DELETE, IDM_TIMER_PLAY_PAUSE, IDM_TIMER_RESTART};
    const int moveItems[] = {IDM_TIMER_MOVE_UP, IDM_TIMER_MOVE_DOWN};
    HMENU bar = GetMenu(app.hwndMain);

    updateMenuStates(app);
    for (int id : rowItems) EXPECT_EQ(timerItem(id), "grey") << id;
    for (int id : moveItems) EXPECT_EQ(timerItem(id), "grey") << id;
    EXPECT_TRUE(greyed(bar, IDM_SET_SAVE));

    addTimer("one");
    table.selectRow(0);
    updateMenuStates(app);
    for (int id : rowItems) EXPECT_EQ(timerItem(id), "on") << id;
    for (int id : moveItems) EXPECT_EQ(timerItem(id), "grey") << id;
    EXPECT_FALSE(greyed(bar, IDM_SET_SAVE));

    addTimer("two");
    updateMenuStates(app);
    for (int id : moveItems) EXPECT_EQ(timerItem(id), "on") << id;

    for (int id : {IDM_TIMER_ADD, IDM_SET_LOAD, IDM_EXIT, IDM_ABOUT, IDM_HOME_PAGE, IDM_USER_MANUAL}) {
        EXPECT_FALSE(greyed(bar, id)) << id;
    }
}

TEST_F(TimerListCommandsTest, DeleteAsksTheMainWindowsQuestion) {
    addTimer("a", Running);  // a paused one would blink
    addTimer("b");
    runRowCommand(app, IDM_TIMER_DELETE);
    ASSERT_EQ(messages.shown().size(), 1u);
    EXPECT_EQ(messages.shown()[0].text, "Please select an item.");
    EXPECT_EQ(messages.shown()[0].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_EQ(messages.shown()[0].owner, app.hwndMain);
    EXPECT_EQ(messages.shown()[0].caption, "Horalet");

    messages.clear();
    table.selectRow(1);
    messages.answer(IDNO);
    runRowCommand(app, IDM_TIMER_DELETE);
    EXPECT_EQ(table.rowCount(), 2);
    messages.answer(IDYES);
    runRowCommand(app, IDM_TIMER_DELETE);
    ASSERT_EQ(messages.shown().size(), 2u);
    EXPECT_EQ(messages.shown()[0].text, "Delete the selected item. Are you sure?");
    EXPECT_EQ(messages.shown()[0].style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    EXPECT_EQ(column(ColumnDescription), Strings{"a"});
    EXPECT_EQ(table.findSelectedRow(), 0);
    char clock[64] = {};
    GetWindowTextA(app.hwndClock, clock, sizeof clock);
    EXPECT_STREQ(clock, "00:03:00");  // refreshed for the newly selected timer
}

TEST_F(TimerListCommandsTest, EachCommandIdReachesItsCommand) {
    addTimer("a", Running);
    addTimer("b");
    table.selectRow(0);

    runRowCommand(app, IDM_TIMER_PLAY_PAUSE);
    EXPECT_EQ(table.readTimerRow(0).state, Paused);
    runRowCommand(app, IDM_TIMER_RESTART);
    EXPECT_EQ(table.readTimerRow(0).state, Running);
    EXPECT_EQ(list.cellText(0, ColumnTimeCurrent), "00:00:00");
    runRowCommand(app, IDM_TIMER_MOVE_DOWN);
    EXPECT_EQ(column(ColumnDescription), (Strings{"b", "a"}));
    runRowCommand(app, IDM_TIMER_MOVE_UP);
    EXPECT_EQ(column(ColumnDescription), (Strings{"a", "b"}));

    // Ids of other commands change nothing: no cell, state or selection,
    // not even of the paused row, which every row command would change.
    table.selectRow(1);
    const Strings before = everyCell();
    for (int other : {IDM_TIMER_ADD, IDM_TIMER_EDIT, IDM_EXIT, IDCANCEL, 0}) runRowCommand(app, other);
    EXPECT_EQ(everyCell(), before);
    EXPECT_TRUE(messages.shown().empty());
}

TEST_F(TimerListCommandsTest, SortFollowsTheUsersLocaleForTextAndValueForSums) {
    addTimer("cherry");
    addTimer("Banana");
    addTimer("apple");
    const char* sums[] = {"10.00", "9.50", "0.75"};
    for (int row = 0; row < 3; ++row) list.setCellText(row, ColumnSum, sums[row]);

    // The locale's order ignores case where a byte comparison would not.
    sortTimerList(app, ColumnDescription);
    EXPECT_EQ(column(ColumnDescription), (Strings{"apple", "Banana", "cherry"}));
    sortTimerList(app, ColumnSum);
    EXPECT_EQ(column(ColumnSum), (Strings{"10.00", "9.50", "0.75"}));
    sortTimerList(app, ColumnSum);
    EXPECT_EQ(column(ColumnSum), (Strings{"0.75", "9.50", "10.00"}));
}

// The list view may not be read while it moves its rows, so the sort must
// come out right on the real control for any order: every sortable column,
// both ways, on shuffled lists of up to 100 rows with many ties. Equal keys
// keep their order, which the row's position before the sort tells.
TEST_F(TimerListCommandsTest, EverySortableColumnSortsShuffledListsBothWaysKeepingTiesInOrder) {
    std::mt19937 random(20261208);
    int lastDirection = 0;  // 1 ascending, -1 descending
    const char* const words[] = {"Fig", "Cherry", "apple", "Elder", "Banana", "date", "Grape", "banana"};
    for (int round = 0; round < 24; ++round) {
        table.deleteAllRows();
        const int rows = round == 0 ? 7 : 2 + static_cast<int>(random() % 99);
        for (int i = 0; i < rows; ++i) {
            TimerRecord r;
            std::snprintf(r.description, sizeof r.description, "%s", words[random() % 8]);
            std::snprintf(r.parameters, sizeof r.parameters, "%d", i);  // where it stood
            r.limit = 1;
            r.timeSet = timeFromSeconds(60 * static_cast<int>(random() % 5));
            r.timeCurrent = timeFromSeconds(static_cast<int>(random() % 40));
            r.forValue = 1;
            r.coastInt = static_cast<int>(random() % 3);
            std::strcpy(r.unit, "second");
            table.writeTimerRow(-1, r);
        }
        for (int column : {ColumnTimeCurrent, ColumnTimeLeft, ColumnTimeSet, ColumnSum, ColumnDescription}) {
            for (int way = 0; way < 2; ++way) {
                std::vector<int> positionOf(rows);  // a timer's row before the sort, by its "where it stood"
                for (int row = 0; row < rows; ++row) positionOf[std::stoi(list.cellText(row, ColumnParameters))] = row;
                sortTimerList(app, column);
                // The header tells which way it went; every sort turns it over.
                const std::vector<int> arrows = sortArrows();
                ASSERT_NE(arrows[column], 0);
                for (int other = 0; other < timerColumnCount; ++other) ASSERT_TRUE(other == column || !arrows[other]);
                const bool descending = arrows[column] == HDF_SORTDOWN;
                ASSERT_TRUE(lastDirection == 0 || (lastDirection > 0) == descending) << "the direction did not turn";
                lastDirection = descending ? -1 : 1;
                SCOPED_TRACE("round " + std::to_string(round) + ", column " + std::to_string(column) +
                             (descending ? " descending" : " ascending"));
                for (int row = 1; row < rows; ++row) {
                    const std::string a = list.cellText(row - 1, column), b = list.cellText(row, column);
                    const int order = column == ColumnSum ? (std::atof(a.c_str()) < std::atof(b.c_str()) ? -1
                                                             : std::atof(a.c_str()) > std::atof(b.c_str()) ? 1 : 0)
                                                          : lstrcmpA(a.c_str(), b.c_str());
                    ASSERT_TRUE(descending ? order >= 0 : order <= 0) << "rows " << row - 1 << " and " << row << ": \""
                                                                      << a << "\", \"" << b << "\"";
                    if (order == 0) {
                        const int before = positionOf[std::stoi(list.cellText(row - 1, ColumnParameters))];
                        const int after = positionOf[std::stoi(list.cellText(row, ColumnParameters))];
                        ASSERT_LT(before, after) << "a tie changed its order at row " << row;
                    }
                }
            }
        }
    }
    // A delete keeps the order the arrow tells; a moved or a new row does not.
    sortTimerList(app, ColumnDescription);
    table.deleteRow(3);
    forgetSortOnceMoved(app);
    EXPECT_NE(sortArrows()[ColumnDescription], 0);
    table.selectRow(1);
    runRowCommand(app, IDM_TIMER_MOVE_DOWN);
    forgetSortOnceMoved(app);
    EXPECT_EQ(sortArrows()[ColumnDescription], 0);
    sortTimerList(app, ColumnSum);
    addTimer("new");
    forgetSortOnceMoved(app);
    EXPECT_EQ(sortArrows()[ColumnSum], 0);
}
