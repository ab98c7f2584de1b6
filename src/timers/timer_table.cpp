#include "timers/timer_table.h"

#include <array>
#include <cstdio>

#include "timers/field_text.h"

namespace {
const TimerColumnInfo columns[timerColumnCount] = {
    {"Time current", 75, false},
    {"Time left", 60, false},
    {"Time set", 60, false},
    {"Sum", 60, true},
    {"Description", 200, false},
    {"Action", 0, false},
    {"File name", 0, false},
    {"Parameters", 0, false},
    {"Run timer", 0, false},
    {"Flags", 0, false},
    {"Limit", 0, false},
    {"Coast integer part", 0, false},
    {"Coast fractal part", 0, false},
    {"For value", 0, false},
    {"Unit", 0, false},
};

// The table keeps at most this many characters of the price's fraction.
constexpr int coastFracTableSize = 3;

std::string decimalText(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%d", value);
    return text;
}

void readTextCell(const ListControl& list, int row, int column, char* field, int capacity) {
    std::string text = list.cellText(row, column);
    copyFieldText(field, static_cast<std::size_t>(capacity), text.c_str(), text.size());
}

int readIntCell(const ListControl& list, int row, int column) {
    return parseDecimalInt(list.cellText(row, column).c_str());
}

TimeHms readTimeCell(const ListControl& list, int row, int column) {
    return parseTimeText(list.cellText(row, column).c_str());
}
}  // namespace

const TimerColumnInfo& timerColumnInfo(int column) { return columns[column]; }

namespace {
using RowTexts = std::array<std::string, timerColumnCount>;

// What each column of a row shows for a record: the time left and the set
// time only with the limit on (the time left worked out afresh), the sum
// from the elapsed time and the price.
RowTexts rowTexts(TimerRecord record) {
    if (record.limit == 0) {
        record.timeLeft = TimeHms{};
        record.timeSet = TimeHms{};
    } else {
        computeTimeLeft(record);
    }
    char coastFrac[coastFracTableSize];
    copyFieldText(coastFrac, sizeof coastFrac, record.coastFrac);
    const bool limited = record.limit != 0;
    return {
        formatTimeText(record.timeCurrent),
        limited ? formatTimeText(record.timeLeft) : std::string(),
        limited ? formatTimeText(record.timeSet) : std::string(),
        serviceSum(record).text,
        record.description,
        decimalText(record.actionType),
        record.fileName,
        record.parameters,
        decimalText(record.runTimer),
        decimalText(record.flags),
        decimalText(record.limit),
        decimalText(record.coastInt),
        coastFrac,
        decimalText(record.forValue),
        record.unit,
    };
}
}  // namespace

namespace {
// Never handed out twice in a run: an identity kept for a timer that is
// gone can never name another.
TimerId lastTimerId = 0;
}  // namespace

void TimerTable::writeTimerRow(int index, TimerRecord record) {
    if (index == -1) {
        index = list_.insertRow(list_.rowCount());
        if (index < 0) return;
        list_.setRowId(index, ++lastTimerId);
    } else if (index < 0 || index >= list_.rowCount()) {
        return;
    }
    // A running row is rewritten every second while only two or three of
    // its cells change; leaving the others alone spares the control needless
    // writes and, where it does not check for itself, needless redraws.
    if (list_.rowImage(index) != record.state) list_.setRowImage(index, record.state);
    const RowTexts cells = rowTexts(record);
    for (int column = 0; column < timerColumnCount; ++column) {
        if (list_.cellText(index, column) != cells[column]) list_.setCellText(index, column, cells[column].c_str());
    }
}

void TimerTable::updateTimerRow(int index, const TimerRecord& shown, const TimerRecord& record) {
    if (index < 0 || index >= list_.rowCount()) return;
    if (shown.state != record.state) list_.setRowImage(index, record.state);
    const RowTexts before = rowTexts(shown);
    const RowTexts after = rowTexts(record);
    for (int column = 0; column < timerColumnCount; ++column) {
        if (before[column] != after[column]) list_.setCellText(index, column, after[column].c_str());
    }
}

int TimerTable::findRow(TimerId id) const {
    if (id == 0) return -1;
    for (int row = 0; row < list_.rowCount(); ++row) {
        if (list_.rowId(row) == id) return row;
    }
    return -1;
}

std::vector<TimerId> TimerTable::rowIds() const {
    std::vector<TimerId> ids;
    for (int row = 0; row < list_.rowCount(); ++row) ids.push_back(list_.rowId(row));
    return ids;
}

void TimerTable::exchangeRows(int first, int second) {
    const TimerRecord a = readTimerRow(first);
    const TimerRecord b = readTimerRow(second);
    const TimerId aId = rowId(first);
    const TimerId bId = rowId(second);
    writeTimerRow(first, b);
    writeTimerRow(second, a);
    list_.setRowId(first, bId);
    list_.setRowId(second, aId);
}

TimerRecord TimerTable::readTimerRow(int index) const {
    TimerRecord record;
    record.timeCurrent = readTimeCell(list_, index, ColumnTimeCurrent);
    record.timeLeft = readTimeCell(list_, index, ColumnTimeLeft);
    record.timeSet = readTimeCell(list_, index, ColumnTimeSet);
    readTextCell(list_, index, ColumnDescription, record.description, timerTextSize);
    record.actionType = readIntCell(list_, index, ColumnAction);
    readTextCell(list_, index, ColumnFileName, record.fileName, timerTextSize);
    readTextCell(list_, index, ColumnParameters, record.parameters, timerTextSize);
    record.runTimer = readIntCell(list_, index, ColumnRunTimer);
    record.flags = readIntCell(list_, index, ColumnFlags);
    record.limit = readIntCell(list_, index, ColumnLimit);
    record.coastInt = readIntCell(list_, index, ColumnCoastInt);
    readTextCell(list_, index, ColumnCoastFrac, record.coastFrac, coastFracTableSize);
    record.forValue = readIntCell(list_, index, ColumnForValue);
    readTextCell(list_, index, ColumnUnit, record.unit, timerTextSize);
    record.state = list_.rowImage(index);
    return record;
}
