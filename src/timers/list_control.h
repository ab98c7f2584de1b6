#pragma once
#include <string>

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

    // Reorders the rows; `compare` gets the current indexes of two rows.
    using RowComparison = int (*)(int firstRow, int secondRow, void* context);
    virtual void sortRows(RowComparison compare, void* context) = 0;
};
