#include "app/row_commands.h"

#include <algorithm>
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
    record.flags &= ~waitsToResume;
    table.writeTimerRow(row, record);
}

void restartSelectedTimer(TimerTable& table, RowCommandHost& host) {
    const int row = table.findSelectedRow();
    if (row < 0) return;
    TimerRecord record = table.readTimerRow(row);
    host.runEnds(table.rowId(row), record);
    // The next tick may come at any moment; letting it pass gives the
    // restarted timer a whole first second at 00:00:00.
    record.flags = (record.flags | skipTick) & ~waitsToResume;
    record.state = Running;
    record.timeCurrent = TimeHms{};
    table.writeTimerRow(row, record);
    host.refreshClock();
}

int resumeTimers(TimerTable& table) {
    int resumed = 0;
    for (int row = 0; row < table.rowCount(); ++row) {
        TimerRecord record = table.readTimerRow(row);
        if ((record.flags & waitsToResume) == 0) continue;
        record.flags &= ~waitsToResume;
        // Only a paused timer goes on; one restarted or finished since is
        // no longer where the last run left it.
        if (record.state == Paused) record.state = Running;
        table.writeTimerRow(row, record);
        ++resumed;
    }
    return resumed;
}

bool anyTimerWaitsToResume(const TimerTable& table) {
    for (int row = 0; row < table.rowCount(); ++row) {
        if (parseDecimalInt(table.list().cellText(row, ColumnFlags).c_str()) & waitsToResume) return true;
    }
    return false;
}

void deleteSelectedTimer(TimerTable& table, RowCommandHost& host) {
    const int row = table.findSelectedRow();
    if (row < 0) {
        host.warn(noSelectionNotice);
        return;
    }
    if (!host.confirm(deleteQuestion)) return;
    host.runEnds(table.rowId(row), table.readTimerRow(row));
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
    table.exchangeRows(row, partner);
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

int compareKeys(const ColumnSort& sort, bool numeric, const std::string& first, const std::string& second) {
    if (numeric) {
        const int order = compareNumbers(std::atof(first.c_str()), std::atof(second.c_str()));
        return sort.sortDescending ? -order : order;
    }
    if (sort.sortDescending) return sort.compareText(second.c_str(), first.c_str());
    return sort.compareText(first.c_str(), second.c_str());
}
}  // namespace

int compareRows(const TimerTable& table, const ColumnSort& sort, int first, int second, int column) {
    return compareKeys(sort, table.list().isColumnRightAligned(column), cellField(table, first, column),
                       cellField(table, second, column));
}

std::vector<TimerId> sortByColumn(TimerTable& table, ColumnSort& sort, int column) {
    // A list that moves its rows may not be read meanwhile: every key is
    // read first, the order is found here, and the list is only told it.
    struct Key {
        TimerId id;
        std::string text;
    };
    std::vector<Key> keys;
    for (int row = 0; row < table.rowCount(); ++row) keys.push_back({table.rowId(row), cellField(table, row, column)});
    const bool numeric = table.list().isColumnRightAligned(column);
    std::stable_sort(keys.begin(), keys.end(),
                     [&](const Key& a, const Key& b) { return compareKeys(sort, numeric, a.text, b.text) < 0; });
    std::vector<TimerId> order;
    for (const Key& key : keys) order.push_back(key.id);
    table.list().arrangeRows(order);
    sort.sortDescending = !sort.sortDescending;
    return order;
}

bool inSortedOrder(const std::vector<TimerId>& sorted, const std::vector<TimerId>& now) {
    auto at = sorted.begin();
    for (TimerId id : now) {
        at = std::find(at, sorted.end(), id);
        if (at == sorted.end()) return false;
        ++at;
    }
    return true;
}

MenuStates menuStatesFor(int selectedRow, int rowCount) {
    MenuStates states;
    states.rowItems = selectedRow >= 0;
    states.moveItems = selectedRow >= 0 && rowCount >= 2;
    states.saveItem = rowCount > 0;
    return states;
}
