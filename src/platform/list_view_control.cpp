#include "platform/list_view_control.h"

#include <commctrl.h>

#include <vector>

#include "display/display_scale.h"
#include "platform/list_cell_tip.h"
#include "platform/list_column_fit.h"
#include "platform/list_empty_hint.h"
#include "platform/list_repaint.h"
#include "platform/list_view_scale.h"
#include "timers/timer_table.h"

int ListViewControl::rowCount() const {
    return static_cast<int>(SendMessageA(listView_, LVM_GETITEMCOUNT, 0, 0));
}

int ListViewControl::insertRow(int index) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = index;
    item.pszText = const_cast<char*>("");
    return static_cast<int>(SendMessageA(listView_, LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListViewControl::deleteRow(int index) { SendMessageA(listView_, LVM_DELETEITEM, index, 0); }

void ListViewControl::deleteAllRows() { SendMessageA(listView_, LVM_DELETEALLITEMS, 0, 0); }

void ListViewControl::setCellText(int row, int column, const char* text) {
    if (repaint_) repaint_->markCell(row, column);
    LVITEMA item = {};
    item.iSubItem = column;
    item.pszText = const_cast<char*>(text);
    SendMessageA(listView_, LVM_SETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item));
}

std::string ListViewControl::cellText(int row, int column) const {
    // Read through a buffer larger than any field so the cut to a field's
    // size is made by the table, at a character boundary, and not by the
    // control in the middle of a character. Grow if the text filled it.
    std::vector<char> buffer(1024);
    for (;;) {
        LVITEMA item = {};
        item.iSubItem = column;
        item.pszText = buffer.data();
        item.cchTextMax = static_cast<int>(buffer.size());
        buffer[0] = '\0';
        int length = static_cast<int>(
            SendMessageA(listView_, LVM_GETITEMTEXTA, row, reinterpret_cast<LPARAM>(&item)));
        if (length < static_cast<int>(buffer.size()) - 1 || buffer.size() >= (1u << 20)) {
            buffer.back() = '\0';
            return std::string(buffer.data());
        }
        buffer.resize(buffer.size() * 4);
    }
}

void ListViewControl::setRowImage(int row, int image) {
    if (repaint_) repaint_->markImage(row);
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    item.iImage = image;
    SendMessageA(listView_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

int ListViewControl::rowImage(int row) const {
    LVITEMA item = {};
    item.mask = LVIF_IMAGE;
    item.iItem = row;
    SendMessageA(listView_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item));
    return item.iImage;
}

int ListViewControl::selectedFocusedRow() const {
    return static_cast<int>(
        SendMessageA(listView_, LVM_GETNEXTITEM, static_cast<WPARAM>(-1), MAKELPARAM(LVNI_FOCUSED | LVNI_SELECTED, 0)));
}

void ListViewControl::selectRow(int row) {
    if (repaint_) {
        // Every row whose look changes is drawn anew: the selection and the
        // focus can be on rows of their own (a click below the rows leaves
        // the focus alone), and each loses its highlight or its frame.
        const auto next = [this](int after, UINT kind) {
            return static_cast<int>(SendMessageA(listView_, LVM_GETNEXTITEM, after, MAKELPARAM(kind, 0)));
        };
        for (int selected = next(-1, LVNI_SELECTED); selected >= 0; selected = next(selected, LVNI_SELECTED)) {
            repaint_->markRow(selected);
        }
        repaint_->markRow(next(-1, LVNI_FOCUSED));
        repaint_->markRow(row);
    }
    LVITEMA item = {};
    item.mask = LVIF_STATE;
    item.state = LVIS_SELECTED | LVIS_FOCUSED;
    item.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    SendMessageA(listView_, LVM_SETITEMSTATE, row, reinterpret_cast<LPARAM>(&item));
}

bool ListViewControl::isColumnRightAligned(int column) const {
    LVCOLUMNA info = {};
    info.mask = LVCF_FMT;
    if (!SendMessageA(listView_, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info))) return false;
    return (info.fmt & LVCFMT_JUSTIFYMASK) == LVCFMT_RIGHT;
}

namespace {
struct SortContext {
    ListControl::RowComparison compare;
    void* context;
};

int CALLBACK compareListRows(LPARAM first, LPARAM second, LPARAM sortParameter) {
    auto* sort = reinterpret_cast<SortContext*>(sortParameter);
    return sort->compare(static_cast<int>(first), static_cast<int>(second), sort->context);
}
}  // namespace

void ListViewControl::sortRows(RowComparison compare, void* context) {
    // LVM_SORTITEMSEX hands the comparison the rows' current indexes.
    SortContext sort = {compare, context};
    SendMessageA(listView_, LVM_SORTITEMSEX, reinterpret_cast<WPARAM>(&sort),
                 reinterpret_cast<LPARAM>(compareListRows));
}

const char emptyTimerListHint[] = "No timers yet. Press Ctrl+A to add one, or run horalet 25m tea.";

void setUpTimerListView(HWND listView, HINSTANCE resources, int dpi) {
    // Double buffered: the rows a tick changes are drawn off screen and shown
    // at once, so no frame ever shows them erased and not yet drawn again.
    SendMessageA(listView, LVM_SETEXTENDEDLISTVIEWSTYLE, 0,
                 LVS_EX_GRIDLINES | LVS_EX_FULLROWSELECT | LVS_EX_DOUBLEBUFFER);
    for (int column = 0; column < timerColumnCount; ++column) {
        const TimerColumnInfo& info = timerColumnInfo(column);
        LVCOLUMNA lvc = {};
        lvc.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_SUBITEM;
        lvc.pszText = const_cast<char*>(info.header);
        lvc.cx = scaleForDpi(info.width, dpi);
        lvc.iSubItem = column;
        if (info.rightAligned) {
            lvc.mask |= LVCF_FMT;
            lvc.fmt = LVCFMT_RIGHT;
        }
        SendMessageA(listView, LVM_INSERTCOLUMNA, column, reinterpret_cast<LPARAM>(&lvc));
    }
    setStateImages(listView, resources, dpi);
    // The widths above are for a font of the usual size: a larger one would
    // cut the headers. The description, the longest text, takes the rest.
    fitColumnsToHeaders(listView, ColumnDescription);
    keepColumnFilling(listView, ColumnDescription);
    showCutCellTips(listView);
    showHintWhileEmpty(listView, emptyTimerListHint);
}
