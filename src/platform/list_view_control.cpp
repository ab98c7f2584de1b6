#include "platform/list_view_control.h"

#include <commctrl.h>

#include <algorithm>
#include <utility>
#include <vector>

#include "display/display_scale.h"
#include "platform/timer_list_window.h"
#include "platform/list_column_fit.h"
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

TimerId ListViewControl::rowId(int row) const {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    if (!SendMessageA(listView_, LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item))) return 0;
    return static_cast<TimerId>(item.lParam);
}

void ListViewControl::setRowId(int row, TimerId id) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    item.lParam = static_cast<LPARAM>(id);
    SendMessageA(listView_, LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item));
}

namespace {
// While it sorts, the list's contents are unstable and it may not be asked
// anything; each row's place is looked up by the identity it hands over.
struct Ranks {
    std::vector<std::pair<TimerId, int>> byId;  // sorted by identity
    int of(LPARAM id) const {
        const auto at = std::lower_bound(byId.begin(), byId.end(), std::make_pair(static_cast<TimerId>(id), 0));
        return at != byId.end() && at->first == static_cast<TimerId>(id) ? at->second : 0;
    }
};

int CALLBACK compareRanks(LPARAM first, LPARAM second, LPARAM ranks) {
    const Ranks& r = *reinterpret_cast<const Ranks*>(ranks);
    return r.of(first) - r.of(second);
}
}  // namespace

void ListViewControl::arrangeRows(const std::vector<TimerId>& ids) {
    Ranks ranks;
    for (std::size_t i = 0; i < ids.size(); ++i) ranks.byId.emplace_back(ids[i], static_cast<int>(i));
    std::sort(ranks.byId.begin(), ranks.byId.end());
    SendMessageA(listView_, LVM_SORTITEMS, reinterpret_cast<WPARAM>(&ranks), reinterpret_cast<LPARAM>(compareRanks));
}

void showSortArrow(HWND listView, int column, bool ascending) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    const int count = static_cast<int>(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0));
    for (int i = 0; i < count; ++i) {
        HDITEMA item = {};
        item.mask = HDI_FORMAT;
        if (!SendMessageA(header, HDM_GETITEMA, i, reinterpret_cast<LPARAM>(&item))) continue;
        int format = item.fmt & ~(HDF_SORTUP | HDF_SORTDOWN);
        if (i == column) format |= ascending ? HDF_SORTUP : HDF_SORTDOWN;
        if (format == item.fmt) continue;
        item.fmt = format;
        SendMessageA(header, HDM_SETITEMA, i, reinterpret_cast<LPARAM>(&item));
    }
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
    makeTimerListWindow(listView, ColumnDescription, emptyTimerListHint);
}
