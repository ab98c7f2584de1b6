#pragma once
#include <windows.h>

#include "timers/list_control.h"

// The timer table's list on the real list-view control.
class ListViewControl : public ListControl {
public:
    explicit ListViewControl(HWND listView) : listView_(listView) {}

    HWND handle() const { return listView_; }

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
    void sortRows(RowComparison compare, void* context) override;

private:
    HWND listView_;
};

// Gives a fresh list view the timer table's look: extended styles, the
// fifteen columns and the state icons (from the module's icon resources),
// sized for `dpi`.
void setUpTimerListView(HWND listView, HINSTANCE resources, int dpi);
