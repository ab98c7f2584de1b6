#include "memory_list_control.h"

#include <algorithm>

MemoryListControl::MemoryListControl(int columnCount, int rightAlignedColumn)
    : columnCount_(columnCount), rightAlignedColumn_(rightAlignedColumn) {}

int MemoryListControl::rowCount() const { return static_cast<int>(rows_.size()); }

int MemoryListControl::insertRow(int index) {
    if (index < 0 || index > rowCount()) index = rowCount();
    Row row;
    row.cells.resize(static_cast<std::size_t>(columnCount_));
    rows_.insert(rows_.begin() + index, row);
    return index;
}

void MemoryListControl::deleteRow(int index) {
    if (validRow(index)) rows_.erase(rows_.begin() + index);
}

void MemoryListControl::deleteAllRows() { rows_.clear(); }

void MemoryListControl::setCellText(int row, int column, const char* text) {
    if (!validRow(row) || column < 0 || column >= columnCount_) return;
    rows_[row].cells[column] = text ? text : "";
    ++cellWrites_;
}

std::string MemoryListControl::cellText(int row, int column) const {
    ++cellReads_;
    if (!validRow(row) || column < 0 || column >= columnCount_) return std::string();
    return rows_[row].cells[column];
}

void MemoryListControl::setRowImage(int row, int image) {
    if (!validRow(row)) return;
    rows_[row].image = image;
    ++imageWrites_;
}

int MemoryListControl::rowImage(int row) const { return validRow(row) ? rows_[row].image : 0; }

int MemoryListControl::selectedFocusedRow() const {
    for (int i = 0; i < rowCount(); ++i) {
        if (rows_[i].selected && rows_[i].focused) return i;
    }
    return -1;
}

void MemoryListControl::selectRow(int row) {
    if (!validRow(row)) return;
    for (Row& r : rows_) r.selected = r.focused = false;
    rows_[row].selected = rows_[row].focused = true;
}

void MemoryListControl::setFocusOnly(int row) {
    for (Row& r : rows_) r.focused = false;
    if (validRow(row)) rows_[row].focused = true;
}

bool MemoryListControl::isColumnRightAligned(int column) const { return column == rightAlignedColumn_; }

TimerId MemoryListControl::rowId(int row) const { return validRow(row) ? rows_[row].id : 0; }

void MemoryListControl::setRowId(int row, TimerId id) {
    if (validRow(row)) rows_[row].id = id;
}

void MemoryListControl::arrangeRows(const std::vector<TimerId>& ids) {
    std::vector<Row> arranged;
    for (TimerId id : ids) {
        const auto row = std::find_if(rows_.begin(), rows_.end(), [id](const Row& r) { return r.id == id; });
        if (row != rows_.end()) arranged.push_back(*row);
    }
    if (arranged.size() == rows_.size()) rows_ = std::move(arranged);
}
