#pragma once
#include <cstdint>
#include <string>
#include <vector>

// A timer's identity while the program runs: rows move (Move up and down, a
// sort, a delete above), the identity stays with its timer. 0 is none. It is
// never written to a file.
using TimerId = uint32_t;

// The few operations of a report-style list that the timer table needs.
// On Windows this is the real list view; tests use an in-memory list.
class ListControl {
public:
    virtual ~ListControl() = default;

    virtual int rowCount() const = 0;
    // Inserts an empty, unselected row at `index`; returns the row's index or -1.
    virtual int insertRow(int index) = 0;
    virtual void deleteRow(int index) = 0;
    virtual void deleteAllRows() = 0;

    virtual void setCellText(int row, int column, const char* text) = 0;
    // The whole text of a cell; callers cut it to their field.
    virtual std::string cellText(int row, int column) const = 0;
    virtual void setRowImage(int row, int image) = 0;
    virtual int rowImage(int row) const = 0;

    // The first row that is both selected and focused, or -1.
    virtual int selectedFocusedRow() const = 0;
    // Selects and focuses `row`; other rows lose their selection.
    virtual void selectRow(int row) = 0;

    virtual bool isColumnRightAligned(int column) const = 0;

    // The identity a row carries with it wherever it moves (the item's data).
    virtual TimerId rowId(int row) const = 0;
    virtual void setRowId(int row, TimerId id) = 0;

    // Puts the rows in the order of `ids`, which names every row once; the
    // texts are not read for it.
    virtual void arrangeRows(const std::vector<TimerId>& ids) = 0;
};
