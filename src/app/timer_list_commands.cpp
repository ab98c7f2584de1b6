#include "app/timer_list_commands.h"

#include "alarm/sound_repeats.h"
#include "app/book_keeper.h"
#include "app/clock_display.h"
#include "app/row_commands.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "res/resource.h"

namespace {
class Win32RowCommandHost : public RowCommandHost {
public:
    explicit Win32RowCommandHost(const AppState& app) : app_(app) {}

    void warn(const char* text) override {
        showMessage(app_.hwndMain, text, app_.title, MB_OK | MB_ICONEXCLAMATION);
    }
    bool confirm(const char* question) override {
        return showMessage(app_.hwndMain, question, app_.title, MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2) == IDYES;
    }
    void refreshClock() override { ::refreshClock(app_); }
    void runEnds(TimerId id, const TimerRecord& record) override { endTimerRun(app_, id, record); }

private:
    const AppState& app_;
};

}  // namespace

void endTimerRun(const AppState& app, TimerId id, const TimerRecord& record) {
    if (app.books) app.books->recorder().endStretch(id, record, BookKeeper::now());
    if (app.repeats) app.repeats->stop(id);
}

namespace {
int compareTextAsUserLocale(const char* first, const char* second) { return lstrcmpA(first, second); }

// One direction for the whole program: the sort after this one runs the
// other way, whichever column the user clicks next.
ColumnSort columnSort = {compareTextAsUserLocale, 0};
// The rows as the last sort left them, while the header's arrow says so.
std::vector<TimerId> sortedOrder;

void enableItem(HMENU menu, int commandId, bool enabled) {
    if (menu) EnableMenuItem(menu, commandId, MF_BYCOMMAND | (enabled ? MF_ENABLED : MF_GRAYED));
}

void enableTimerItem(const AppState& app, HMENU menuBar, int commandId, bool enabled) {
    enableItem(menuBar, commandId, enabled);
    enableItem(app.timerMenu, commandId, enabled);
}
}  // namespace

void runRowCommand(const AppState& app, int commandId) {
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    Win32RowCommandHost host(app);
    switch (commandId) {
        case IDM_TIMER_PLAY_PAUSE: togglePlayPause(table); break;
        case IDM_TIMER_RESTART: restartSelectedTimer(table, host); break;
        case IDM_TIMER_DELETE: deleteSelectedTimer(table, host); break;
        case IDM_TIMER_MOVE_UP: moveSelectedTimerUp(table); break;
        case IDM_TIMER_MOVE_DOWN: moveSelectedTimerDown(table); break;
        case IDM_TIMER_RESUME: resumeTimers(table); break;
    }
}

void sortTimerList(const AppState& app, int column) {
    ListViewControl list(app.hwndList);
    TimerTable table(list);
    const bool ascending = !columnSort.sortDescending;
    sortedOrder = sortByColumn(table, columnSort, column);
    showSortArrow(app.hwndList, column, ascending);
}

void forgetSortOnceMoved(const AppState& app) {
    if (sortedOrder.empty()) return;
    ListViewControl list(app.hwndList);
    if (inSortedOrder(sortedOrder, TimerTable(list).rowIds())) return;
    sortedOrder.clear();
    showSortArrow(app.hwndList, -1, false);
}

void updateMenuStates(const AppState& app) {
    ListViewControl list(app.hwndList);
    const MenuStates states = menuStatesFor(list.selectedFocusedRow(), list.rowCount());
    // Only items inside the popups change, never the bar's own titles, so
    // the bar needs no redrawing.
    HMENU menuBar = GetMenu(app.hwndMain);
    for (int id : {IDM_TIMER_EDIT, IDM_TIMER_DELETE, IDM_TIMER_PLAY_PAUSE, IDM_TIMER_RESTART}) {
        enableTimerItem(app, menuBar, id, states.rowItems);
    }
    for (int id : {IDM_TIMER_MOVE_UP, IDM_TIMER_MOVE_DOWN}) enableTimerItem(app, menuBar, id, states.moveItems);
    enableItem(menuBar, IDM_SET_SAVE, states.saveItem);
}

void updateResumeItem(const AppState& app) {
    ListViewControl list(app.hwndList);
    const bool waiting = anyTimerWaitsToResume(TimerTable(list));
    enableTimerItem(app, GetMenu(app.hwndMain), IDM_TIMER_RESUME, waiting);
    enableItem(app.trayMenu, IDM_TIMER_RESUME, waiting);
}
