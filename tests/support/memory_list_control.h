#pragma once
#include <string>
#include <vector>

#include "timers/list_control.h"

// A list held in memory, with the same rules the list view follows: new rows
// are unselected, single selection, focus separate from selection.
class MemoryListControl : public ListControl {
public:
    explicit MemoryListControl(int columnCount = 15, int rightAlignedColumn = 3);

    int rowCount() const override;
    int insertRow(int index) override;
    void deleteRow(int index) override;
    void deleteAllRows() override;
    void setCellText(int row, int column, const char* text) override;
    std::string cellText(int row, int column) const override;
    void setRowImage(int row, int image) override;
    int rowImage(int row) const override;
    int selectedFocusedRow() const override;
    void selectRow(int row) override;
    bool isColumnRightAligned(int column) const override;
    TimerId rowId(int row) const override;
    void setRowId(int row, TimerId id) override;
    void arrangeRows(const std::vector<TimerId>& ids) override;

    // For tests: state the real control would show.
    bool isSelected(int row) const { return rows_[row].selected; }
    bool isFocused(int row) const { return rows_[row].focused; }
    void setFocusOnly(int row);
    int cellWrites() const { return cellWrites_; }
    int imageWrites() const { return imageWrites_; }
    int cellReads() const { return cellReads_; }

private:
    struct Row {
        std::vector<std::string> cells;
        int image = 0;
        TimerId id = 0;
        bool selected = false;
        bool focused = false;
    };
    bool validRow(int row) const { return row >= 0 && row < static_cast<int>(rows_.size()); }

    int columnCount_;
    int rightAlignedColumn_;
    std::vector<Row> rows_;
    int cellWrites_ = 0;
    int imageWrites_ = 0;
    mutable int cellReads_ = 0;
};
