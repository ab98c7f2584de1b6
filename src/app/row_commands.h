#pragma once
#include <vector>

#include "timers/timer_table.h"

// What the row commands need beyond the table: a word with the user and the
// big clock. The program shows message boxes; tests answer in a script.
class RowCommandHost {
public:
    virtual ~RowCommandHost() = default;
    // A notice with an OK button and the warning icon.
    virtual void warn(const char* text) = 0;
    // A Yes/No question whose default answer is No; true only for Yes.
    virtual bool confirm(const char* question) = 0;
    virtual void refreshClock() = 0;
    // The command is about to start the timer's run over or delete it: the
    // books end its stretch with the values it has now, and its sound stops
    // repeating.
    virtual void runEnds(TimerId /*id*/, const TimerRecord& /*record*/) {}
};

extern const char noSelectionNotice[];
extern const char deleteQuestion[];

// Each command acts on the selected row (selected and focused) and checks
// that there is one itself, whatever state its menu item is in.
void togglePlayPause(TimerTable& table);
void restartSelectedTimer(TimerTable& table, RowCommandHost& host);
void deleteSelectedTimer(TimerTable& table, RowCommandHost& host);
void moveSelectedTimerUp(TimerTable& table);
void moveSelectedTimerDown(TimerTable& table);

// "Resume timers": the timers that ran when the program last ended go on
// from where they stood. Returns how many.
int resumeTimers(TimerTable& table);
bool anyTimerWaitsToResume(const TimerTable& table);

// Text order differs by platform (the program sorts the way the user's
// locale does), so the comparison is handed in.
using TextComparison = int (*)(const char* first, const char* second);

struct ColumnSort {
    TextComparison compareText = nullptr;
    int sortDescending = 0;  // 0: the next sort is ascending; flipped by every sort
};

// The order of two rows by the text of `column`: numbers for the
// right-aligned column, text for the others, reversed while descending.
int compareRows(const TimerTable& table, const ColumnSort& sort, int first, int second, int column);
// Sorts the rows by `column`, equal keys keeping their order, and turns the
// direction over for the next sort. Returns the rows' identities as sorted.
std::vector<TimerId> sortByColumn(TimerTable& table, ColumnSort& sort, int column);
// Whether the rows, identity by identity, still stand in the order of a
// sort: a delete keeps it; a new row, a moved one or a load does not.
bool inSortedOrder(const std::vector<TimerId>& sorted, const std::vector<TimerId>& now);

// Which menu items apply with this selection and this many rows.
struct MenuStates {
    bool rowItems = false;   // Edit, Delete, Play/Pause, Restart
    bool moveItems = false;  // Move up, Move down
    bool saveItem = false;
};
MenuStates menuStatesFor(int selectedRow, int rowCount);
