#include "app/row_commands.h"

#include <cstdlib>

#include "timers/field_text.h"

const char noSelectionNotice[] = "Please select an item.";
const char deleteQuestion[] = "Delete the selected item. Are you sure?";

void togglePlayPause(TimerTable& table) {
    const int row = table.findSelectedRow();
    if (row < 0) return;
    TimerRecord record = table.readTimerRow(row);
    // A finished timer has nothing left to count; only Restart revives it.
    if (record.state == Finished) return;
    record.state = record.state == Paused ? Running : Paused;
    table.writeTimerRow(row, record);
}

void restartSelectedTimer(TimerTable& table, RowCommandHost& host) {
    const int row = table.findSelectedRow();
    if (row < 0) return;
    TimerRecord record = table.readTimerRow(row);
    // The next tick may come at any moment; letting it pass gives the
    // restarted timer a whole first second at 00:00:00.
    record.flags |= skipTick;
    record.state = Running;
    record.timeCurrent = TimeHms{};
    table.writeTimerRow(row, record);
    host.refreshClock();
}

void deleteSelectedTimer(TimerTable& table, RowCommandHost& host) {
    const int row = table.findSelectedRow();
    if (row < 0) {
        host.warn(noSelectionNotice);
        return;
    }
    if (!host.confirm(deleteQuestion)) return;
    table.deleteRow(row);
    if (table.rowCount() > 0) table.selectRow(0);
    host.refreshClock();
}

namespace {
enum class Direction { Up, Down };

int partnerRow(int row, int count, Direction direction) {
    // The ends wrap by exchanging the two end rows; the list is not rotated.
    if (direction == Direction::Up) return row == 0 ? count - 1 : row - 1;
    return row == count - 1 ? 0 : row + 1;
}

void moveSelectedTimer(TimerTable& table, Direction direction) {
    const int row = table.findSelectedRow();
    if (row < 0) return;
    const int count = table.rowCount();
    if (count < 2) return;
    const int partner = partnerRow(row, count, direction);
    const TimerRecord moving = table.readTimerRow(row);
    const TimerRecord other = table.readTimerRow(partner);
    table.writeTimerRow(row, other);
    table.writeTimerRow(partner, moving);
    table.selectRow(partner);
}
}  // namespace

void moveSelectedTimerUp(TimerTable& table) { moveSelectedTimer(table, Direction::Up); }
void moveSelectedTimerDown(TimerTable& table) { moveSelectedTimer(table, Direction::Down); }

namespace {
std::string cellField(const TimerTable& table, int row, int column) {
    char field[timerTextSize];
    const std::string text = table.list().cellText(row, column);
    copyFieldText(field, sizeof field, text.c_str(), text.size());
    return field;
}

int compareNumbers(double first, double second) {
    if (first < second) return -1;
    if (first > second) return 1;
    return 0;
}

struct SortRequest {
    const TimerTable* table;
    const ColumnSort* sort;
    int column;
};

int compareRequestedRows(int first, int second, void* context) {
    const auto* request = static_cast<const SortRequest*>(context);
    return compareRows(*request->table, *request->sort, first, second, request->column);
}
}  // namespace

int compareRows(const TimerTable& table, const ColumnSort& sort, int first, int second, int column) {
    const std::string firstText = cellField(table, first, column);
    const std::string secondText = cellField(table, second, column);
    if (table.list().isColumnRightAligned(column)) {
        const int order = compareNumbers(std::atof(firstText.c_str()), std::atof(secondText.c_str()));
        return sort.sortDescending ? -order : order;
    }
    if (sort.sortDescending) return sort.compareText(secondText.c_str(), firstText.c_str());
    return sort.compareText(firstText.c_str(), secondText.c_str());
}

void sortByColumn(TimerTable& table, ColumnSort& sort, int column) {
    SortRequest request = {&table, &sort, column};
    table.list().sortRows(compareRequestedRows, &request);
    sort.sortDescending = !sort.sortDescending;
}

MenuStates menuStatesFor(int selectedRow, int rowCount) {
    MenuStates states;
    states.rowItems = selectedRow >= 0;
    states.moveItems = selectedRow >= 0 && rowCount >= 2;
    states.saveItem = rowCount > 0;
    return states;
}
