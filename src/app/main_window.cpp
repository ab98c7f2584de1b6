#include "app/main_window.h"

#include <commctrl.h>
#include <shellapi.h>

#include <memory>

#include "app/about_help.h"
#include "alarm/sound_repeats.h"
#include "app/autosave.h"
#include "app/book_keeper.h"
#include "app/books_dialog.h"
#include "app/clock_display.h"
#include "app/main_window_dpi.h"
#include "app/timer_command_receiver.h"
#include "app/timer_list_commands.h"
#include "app/timer_set_dialogs.h"
#include "app/timer_sets.h"
#include "app/win32_repeat_host.h"
#include "app/win32_timer_events.h"
#include "editor/editor_model.h"
#include "editor/timer_editor_dialog.h"
#include "platform/dpi.h"
#include "platform/list_repaint.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "platform/monotonic_clock.h"
#include "platform/tray_icon.h"
#include "platform/win32_desktop_shell.h"
#include "res/resource.h"
#include "status/desktop_status.h"
#include "timers/running_timers.h"
#include "timers/tick_engine.h"
#include "timers/tick_schedule.h"

namespace {
constexpr UINT_PTR tickTimerId = 1;

// What the main window keeps besides AppState; reached through the window.
struct MainWindowState {
    AppState* app = nullptr;
    Autosave autosave;
    BookKeeper books;
    TickSchedule schedule{0};
    UINT taskbarCreated = 0;
    bool insideTick = false;
    // While the window moves the selection itself: the list reports the old
    // row losing it before the new one gets it, and the taskbar would show
    // that moment with no selection.
    bool selecting = false;
    // Another start can find the window while it is still loading the list;
    // a timer it hands over then would land in a list about to be replaced.
    bool ready = false;
    int dpi = 96;  // the display scale the window's own pixel sizes are made for
    std::unique_ptr<Win32DesktopShell> shell;
    std::unique_ptr<DesktopStatus> desktop;
    std::unique_ptr<Win32RepeatHost> repeatHost;
    std::unique_ptr<SoundRepeats> repeats;
};

MainWindowState* stateOf(HWND window) {
    return reinterpret_cast<MainWindowState*>(GetWindowLongPtrA(window, DWLP_USER));
}

void showAtCursor(const AppState& app, HMENU menu) {
    POINT cursor;
    GetCursorPos(&cursor);
    // Without the foreground the menu would not close when the user clicks
    // elsewhere.
    SetForegroundWindow(app.hwndMain);
    TrackPopupMenu(menu, 0, cursor.x, cursor.y, 0, app.hwndMain, nullptr);
}

// The user is back: what the tray holds unseen is seen, and the sounds that
// repeat until then stop.
void userIsBack(MainWindowState& state) {
    state.desktop->looked();
    state.repeats->seen(monotonicMs());
}

void bringBack(HWND window) {
    ShowWindow(window, SW_SHOWNORMAL);
    SetForegroundWindow(window);
}

// The tray icon and the taskbar follow what runs; a command, a sort or a
// timer from another start may have changed it.
void showRunningTimers(const MainWindowState& state) {
    ListViewControl list(state.app->hwndList);
    state.desktop->showRunning(findRunningTimers(TimerTable(list)));
}

// --- commands -------------------------------------------------------------

const char booksExitQuestion[] =
    "The books cannot be written to the Books folder. Retry, or Cancel to keep Horalet running.";

// The exit ends every stretch, and their entries go to the disk before the
// list does, so that its note never names a stretch the books lack.
bool closeBooksForExit(MainWindowState& state) {
    const AppState& app = *state.app;
    state.books.endAll(app);
    while (!state.books.writeNow(app)) {
        state.books.notice().toldByExit();
        // Cancelled, the program runs on: the command's end begins the
        // timers' stretches again.
        if (showMessage(app.hwndMain, booksExitQuestion, app.title, MB_RETRYCANCEL | MB_ICONERROR) != IDRETRY) {
            return false;
        }
    }
    return true;
}

// The session's end waits for nobody, and the window's end has asked
// already: one quiet try.
void closeBooksQuietly(MainWindowState& state) {
    state.books.notice().holdForSessionEnd(true);
    state.books.endAll(*state.app);
    state.books.writeNow(*state.app);
}

void runCommand(MainWindowState& state, int command) {
    const AppState& app = *state.app;
    switch (command) {
        case IDCANCEL:
        case IDM_EXIT:
            // A list or books that cannot be saved are never dropped without
            // a word: the user may cancel and keep the program running.
            if (closeBooksForExit(state) && state.autosave.saveForExit(app)) EndDialog(app.hwndMain, 0);
            break;
        case IDM_ABOUT:
            runAboutBox(app);
            break;
        case IDM_HOME_PAGE:
            openHomePage(app);
            break;
        case IDM_USER_MANUAL:
            openUserManual(app);
            break;
        case IDM_SET_LOAD:
            runLoadSetDialog(app);
            break;
        case IDM_SET_SAVE:
            runSaveSetDialog(app);
            break;
        case IDM_BOOKS:
            runBooksDialog(app);
            break;
        case IDM_TIMER_ADD:
            runTimerEditor(app, true);
            break;
        case IDM_TIMER_EDIT:
            runTimerEditor(app, false);
            break;
        case IDM_TIMER_PLAY_PAUSE:
        case IDM_TIMER_RESTART:
        case IDM_TIMER_DELETE:
        case IDM_TIMER_MOVE_UP:
        case IDM_TIMER_MOVE_DOWN:
        case IDM_TIMER_RESUME:
            runRowCommand(app, command);
            break;
        default:
            break;
    }
}

// --- list notifications ---------------------------------------------------

bool isContextClick(const AppState& app, UINT code) {
    return app.buttonsSwapped ? code == static_cast<UINT>(NM_CLICK) : code == static_cast<UINT>(NM_RCLICK);
}

void onListNotify(MainWindowState& state, const NMHDR& header) {
    const AppState& app = *state.app;
    if (header.code == LVN_ITEMCHANGED) {
        // A tick changes every running row, and the list reports each one;
        // the tick refreshes both once, after its walk over the rows.
        if (state.insideTick || state.selecting) return;
        refreshClock(app);
        updateMenuStates(app);
    } else if (header.code == LVN_COLUMNCLICK) {
        sortTimerList(app, reinterpret_cast<const NMLISTVIEW&>(header).iSubItem);
        state.autosave.saveIfChanged(app);
        showRunningTimers(state);
    } else if (isContextClick(app, header.code)) {
        updateMenuStates(app);
        showAtCursor(app, app.timerMenu);
    } else if (header.code == static_cast<UINT>(NM_DBLCLK)) {
        ListViewControl list(app.hwndList);
        int command = list.selectedFocusedRow() >= 0 ? IDM_TIMER_EDIT : IDM_TIMER_ADD;
        SendMessageA(app.hwndMain, WM_COMMAND, MAKEWPARAM(command, 0), 0);
    }
}

// --- notification-area icon ----------------------------------------------

// A finish the user has not seen is what the click is about: its timer is
// selected before the window comes back, and showing it makes it seen.
void selectFirstUnseenFinish(MainWindowState& state) {
    ListViewControl list(state.app->hwndList);
    const int row = TimerTable(list).findRow(state.desktop->firstUnseenTimer());
    if (row < 0) return;
    state.selecting = true;
    list.selectRow(row);
    state.selecting = false;
    SendMessageA(state.app->hwndList, LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
    refreshClock(*state.app);
    updateMenuStates(*state.app);
}

void onTrayNotify(MainWindowState& state, LPARAM event) {
    const AppState& app = *state.app;
    if (event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN || event == NIN_BALLOONUSERCLICK) state.repeats->seen(monotonicMs());
    if (event == WM_LBUTTONDOWN || event == WM_RBUTTONDOWN) {
        selectFirstUnseenFinish(state);
        bringBack(app.hwndMain);
        bool contextButton = app.buttonsSwapped ? event == WM_LBUTTONDOWN : event == WM_RBUTTONDOWN;
        if (!contextButton) return;
        // A disabled main window means one of our modal dialogs is open.
        if (IsWindowEnabled(app.hwndMain)) {
            showAtCursor(app, app.trayMenu);
        } else {
            MessageBeep(0);
        }
    } else if (event == NIN_BALLOONUSERCLICK) {
        selectFirstUnseenFinish(state);
        bringBack(app.hwndMain);
    }
}

// With the plain picture and the title; the desktop status is told so and
// sets what runs.
void addOurTrayIcon(const AppState& app) {
    addTrayIcon(app.hwndMain, stateOf(app.hwndMain)->shell->trayIcon(TrayMark::Plain), app.title);
}

// --- tick -----------------------------------------------------------------

void armTick(HWND window, int64_t delayMs) { SetTimer(window, tickTimerId, static_cast<UINT>(delayMs), nullptr); }

void onTick(MainWindowState& state) {
    const AppState& app = *state.app;
    const int64_t now = monotonicMs();
    // A tick must not run inside another: a box some action raises would
    // otherwise walk the rows below the completing one twice. The seconds
    // are not lost: the schedule has not counted them, so the next tick
    // after this one applies them.
    if (state.insideTick) {
        armTick(app.hwndMain, state.schedule.delayToNext(now));
        return;
    }
    const TickSchedule::Due due = state.schedule.onTick(now);
    armTick(app.hwndMain, due.delayMs);
    if (due.seconds == 0) return;  // early: the second is not over yet
    state.insideTick = true;
    bool heldChange = false;
    bool timesMove = false;
    {
        ListRepaint repaint(app.hwndList);
        ListViewControl list(app.hwndList, &repaint);
        TimerTable table(list);
        Win32TimerEvents events(app);
        heldChange = tickTimers(table, events, due.seconds);
        timesMove = events.anyRunning();
    }
    state.insideTick = false;
    refreshClock(app);
    // A completion's action may let the user change the selection while the
    // tick runs; its notice was passed over above.
    updateMenuStates(app);
    // The retry does not wait for a change: it is what writes a change that
    // could not be saved before. Times alone are not in the file, so only a
    // changed state or flag makes the list worth comparing with it.
    state.autosave.retryIfFailing(app);
    state.books.writeIfDue(app);
    if (heldChange) {
        state.autosave.saveIfChanged(app);
        updateResumeItem(app);  // a chain may have started a timer that waited
    }
    if (timesMove) state.autosave.keepProgress(app);
}

// After a sleep the pending tick may wait for its timer; the time the
// computer slept is applied at once instead, so the window the user comes
// back to shows it.
void onResume(const AppState& app) { armTick(app.hwndMain, 1); }

// --- timers handed over by other starts ----------------------------------

// The timer of this start's own command line; nobody waits for an answer,
// so a full list is told here, in the editor's words.
void addStartCommand(MainWindowState& state) {
    const AppState& app = *state.app;
    const TimerCommandAnswer answer = addTimerFromCommand(app, *app.startCommand);
    state.books.follow(app);
    if (answer == timerCommandAdded) state.autosave.saveIfChanged(app);
    if (answer == timerCommandListFull) {
        showMessage(app.hwndMain, editorProblemText(EditorProblem::TableFull), app.title, MB_OK | MB_ICONERROR);
    }
}

LRESULT onCopyData(MainWindowState& state, const COPYDATASTRUCT* data) {
    // Inside the tick the list's drawing is held while it waits for the
    // tray, and a row added then would never be painted. A WM_COPYDATA's
    // answer is its handler's result, so it cannot wait: the start asks
    // again a moment later.
    if (!state.ready || state.insideTick) return timerCommandNotReady;
    TimerCommandAnswer answer = receiveTimerCommand(*state.app, data, GetTickCount64());
    if (answer == timerCommandAdded) {
        state.books.follow(*state.app);
        // "Added" promises the timer survives a kill, so the start is let
        // go only once the list is in its file; the tray can follow after.
        if (!state.autosave.saveNow(*state.app)) answer = timerCommandAddedNotSaved;
        ReplyMessage(answer);
        showRunningTimers(state);
    }
    return answer;
}

// --- lifetime -------------------------------------------------------------

void onInitDialog(HWND window, AppState& app) {
    auto* state = new MainWindowState;
    state->app = &app;
    state->taskbarCreated = RegisterWindowMessageA("TaskbarCreated");
    SetWindowLongPtrA(window, DWLP_USER, reinterpret_cast<LONG_PTR>(state));
    app.hwndMain = window;
    app.hwndList = GetDlgItem(window, IDC_TIMER_LIST);
    app.hwndClock = GetDlgItem(window, IDC_CLOCK);
    state->dpi = windowDpi(window);
    state->shell = std::make_unique<Win32DesktopShell>(window, app.hInstance);
    state->desktop = std::make_unique<DesktopStatus>(app.desktopShell ? *app.desktopShell : *state->shell, app.title);
    app.desktop = state->desktop.get();
    app.books = &state->books;
    state->repeatHost = std::make_unique<Win32RepeatHost>(window);
    state->repeats = std::make_unique<SoundRepeats>(*state->repeatHost);
    app.repeats = state->repeats.get();
    // Explorer runs without administrator rights; a program that has them
    // would not hear from it otherwise.
    ChangeWindowMessageFilterEx(window, state->taskbarCreated, MSGFLT_ALLOW, nullptr);
    ChangeWindowMessageFilterEx(window, taskbarButtonCreatedMessage(), MSGFLT_ALLOW, nullptr);
    initMainWindow(app);
    state->schedule.restart(monotonicMs());
    state->autosave.adoptLoadedFile(app);
    state->ready = true;
    if (app.startCommand) addStartCommand(*state);
    showRunningTimers(*state);
}

void onDestroy(MainWindowState& state) {
    removeTrayIcon(state.app->hwndMain);
    closeBooksQuietly(state);
    state.autosave.saveQuietly(*state.app);
}
}  // namespace

void initMainWindow(AppState& app) {
    // Read the setting instead of flipping it to find out: the system's
    // setting is never touched, not even for a moment.
    app.buttonsSwapped = GetSystemMetrics(SM_SWAPBUTTON) ? 1 : 0;
    const int dpi = windowDpi(app.hwndMain);
    setUpTimerListView(app.hwndList, app.hInstance, dpi);
    applyMainWindowDpi(app, dpi);
    armTick(app.hwndMain, TickSchedule::periodMs);
    addOurTrayIcon(app);
    app.trayMenu = GetSubMenu(LoadMenuA(app.hInstance, MAKEINTRESOURCEA(IDM_TRAY_MENU)), 0);
    app.timerMenu = GetSubMenu(LoadMenuA(app.hInstance, MAKEINTRESOURCEA(IDM_MAIN_MENU)), 1);
    loadTimerSet(autosaveReadPath, app, true);
    refreshClock(app);
    updateMenuStates(app);
    updateResumeItem(app);
}

INT_PTR CALLBACK MainDialogProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    MainWindowState* state = stateOf(window);
    if (message == WM_INITDIALOG) {
        onInitDialog(window, *reinterpret_cast<AppState*>(lParam));
        return FALSE;
    }
    if (!state) return 0;
    const AppState& app = *state->app;
    switch (message) {
        case WM_TIMER:
            if (wParam == repeatsTimerId) {
                state->repeats->due(monotonicMs());
            } else {
                onTick(*state);
            }
            return 0;
        case WM_COMMAND:
            runCommand(*state, LOWORD(wParam));
            state->books.follow(app);
            forgetSortOnceMoved(app);
            updateMenuStates(app);
            updateResumeItem(app);
            state->autosave.saveIfChanged(app);
            showRunningTimers(*state);
            return 0;
        case WM_NOTIFY:
            onListNotify(*state, *reinterpret_cast<NMHDR*>(lParam));
            return 0;
        case WM_TRAYNOTIFY:
            onTrayNotify(*state, lParam);
            return 0;
        case WM_ACTIVATE:  // 0: the dialog manager still puts the focus back
            if (LOWORD(wParam) != WA_INACTIVE && !HIWORD(wParam)) userIsBack(*state);
            return 0;
        case WM_SIZE:
            // A click on the taskbar button activates the window while it is
            // still minimized, and restores it after that.
            if (wParam == SIZE_RESTORED && GetForegroundWindow() == window) userIsBack(*state);
            return 0;
        case WM_DPICHANGED:
            state->dpi = onMainWindowDpiChanged(app, state->dpi, wParam, lParam);
            return 0;  // the dialog manager lays the controls out again
        case WM_CLOSE:
            ShowWindow(window, SW_HIDE);
            return TRUE;
        case WM_POWERBROADCAST:
            if (wParam == PBT_APMRESUMEAUTOMATIC || wParam == PBT_APMRESUMESUSPEND) onResume(app);
            return 0;
        case WM_QUERYENDSESSION:  // 0: the default handling lets the session end
            closeBooksQuietly(*state);
            state->autosave.saveForSessionEnd(app);
            return 0;
        case WM_ENDSESSION:  // FALSE: another program called the end off
            if (wParam) {
                closeBooksQuietly(*state);
                state->autosave.saveForSessionEnd(app);
            } else {
                state->autosave.sessionGoesOn();
                state->books.notice().holdForSessionEnd(false);
                state->books.follow(app);
            }
            return 0;
        case WM_COPYDATA:
            // The answer goes back as the message's result, which a dialog
            // procedure can only give through DWLP_MSGRESULT.
            SetWindowLongPtrA(window, DWLP_MSGRESULT, onCopyData(*state, reinterpret_cast<COPYDATASTRUCT*>(lParam)));
            return TRUE;
        case WM_AUTOSAVE_REPORT:
            state->autosave.notice().showPendingReport(app);
            return 0;
        case WM_BOOKS_REPORT:
            state->books.notice().showPendingReport(app);
            return 0;
        case WM_DESTROY:
            onDestroy(*state);
            return 0;
        case WM_NCDESTROY:
            SetWindowLongPtrA(window, DWLP_USER, 0);
            state->app->desktop = nullptr;
            state->app->repeats = nullptr;
            state->app->books = nullptr;
            delete state;
            return 0;
    }
    if (message == state->taskbarCreated) {  // Explorer restarted
        addOurTrayIcon(app);
        state->desktop->trayIconAdded();
    } else if (message == taskbarButtonCreatedMessage()) {
        state->shell->taskbarButtonCreated();
        state->desktop->taskbarButtonCreated();
    }
    return 0;
}
