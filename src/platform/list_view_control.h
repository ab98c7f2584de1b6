#pragma once
#include <windows.h>

#include "timers/list_control.h"

class ListRepaint;

// The timer table's list on the real list-view control. Given a ListRepaint,
// it marks there every row it changes, so that only those are repainted.
class ListViewControl : public ListControl {
public:
    explicit ListViewControl(HWND listView, ListRepaint* repaint = nullptr) : listView_(listView), repaint_(repaint) {}

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
    TimerId rowId(int row) const override;
    void setRowId(int row, TimerId id) override;
    void arrangeRows(const std::vector<TimerId>& ids) override;

private:
    HWND listView_;
    ListRepaint* repaint_;
};

// The header's arrow on the column sorted last, pointing the way it was
// sorted; with `column` -1 no column shows one.
void showSortArrow(HWND listView, int column, bool ascending);

// Gives a fresh list view the timer table's look: extended styles, the
// fifteen columns and the state icons (from the module's icon resources),
// sized for `dpi`; the shown columns never narrower than their headers and
// the description's filling the rest of the list, as wide as it grows; a
// tip with the whole text of a cut cell, and a hint on how to add a timer
// while there is none.
void setUpTimerListView(HWND listView, HINSTANCE resources, int dpi);

// What the empty timer list says.
extern const char emptyTimerListHint[];
