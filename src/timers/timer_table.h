#pragma once
#include "timers/list_control.h"
#include "timers/timer_record.h"

// The columns of the timer table, in the order they are inserted.
enum TimerColumn {
    ColumnTimeCurrent,
    ColumnTimeLeft,
    ColumnTimeSet,
    ColumnSum,
    ColumnDescription,
    ColumnAction,
    ColumnFileName,
    ColumnParameters,
    ColumnRunTimer,
    ColumnFlags,
    ColumnLimit,
    ColumnCoastInt,
    ColumnCoastFrac,
    ColumnForValue,
    ColumnUnit,
    timerColumnCount
};

struct TimerColumnInfo {
    const char* header;
    int width;
    bool rightAligned;
};

const TimerColumnInfo& timerColumnInfo(int column);

// The store of timers: one list row per timer, every field a column text and
// the state the row's image.
class TimerTable {
public:
    explicit TimerTable(ListControl& list) : list_(list) {}

    // An index of -1 appends a row, with an identity of its own.
    void writeTimerRow(int index, TimerRecord record);
    // Rewrites a row that was read as `shown` and has become `record`: only
    // the cells whose texts differ between the two, without reading any.
    void updateTimerRow(int index, const TimerRecord& shown, const TimerRecord& record);
    TimerRecord readTimerRow(int index) const;
    int findSelectedRow() const { return list_.selectedFocusedRow(); }
    void selectRow(int index) { list_.selectRow(index); }

    // The identity that follows a row's timer, and the row that holds one
    // now (-1 when that timer is gone).
    TimerId rowId(int index) const { return list_.rowId(index); }
    int findRow(TimerId id) const;
    std::vector<TimerId> rowIds() const;
    // Two timers change places, each with its identity.
    void exchangeRows(int first, int second);

    int rowCount() const { return list_.rowCount(); }
    void deleteRow(int index) { list_.deleteRow(index); }
    void deleteAllRows() { list_.deleteAllRows(); }

    ListControl& list() { return list_; }
    const ListControl& list() const { return list_; }

private:
    ListControl& list_;
};
