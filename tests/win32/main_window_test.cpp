#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>
#include <shellapi.h>

#include <atomic>
#include <cstring>
#include <functional>
#include <optional>
#include <string>
#include <thread>
#include <utility>
#include <vector>

#include "app/accelerators.h"
#include "app/app_state.h"
#include "app/write_notice.h"
#include "app/main_window.h"
#include "app/single_instance.h"
#include "command/timer_command.h"
#include "platform/list_repaint.h"
#include "platform/list_view_control.h"
#include "platform/message_box.h"
#include "platform/monotonic_clock.h"
#include "platform/tray_icon.h"
#include "platform/win32_desktop_shell.h"
#include "recording_desktop_shell.h"
#include "res/resource.h"
#include "temp_folder.h"
#include "timers/timer_table.h"
#include "window_fixture.h"

namespace {
std::string section(int index, const char* description, int state, int limit, int seconds) {
    char text[1024];
    std::snprintf(text, sizeof text,
                  "\r\n[TIMER_%d]\r\nDESCRIPTION = %s\r\nHOURS = 0\r\nMINUTES = 0\r\nSECONDS = %d\r\n"
                  "ACTION_TYPE = 0\r\nFILE = \r\nFLAGS = 0\r\nPARAMETER = \r\nRUN_TIMER = 0\r\nSTATE = %d\r\n"
                  "LIMIT = %d\r\nCOAST_INT = 0\r\nCOAST_FRAC = \r\nVALUE = 0\r\nUNIT = second\r\n",
                  index, description, seconds, state, limit);
    return text;
}

// Commands that reach the main window, as the user's keys and clicks make
// them; and new dialogs kept from opening, so a command such as About does
// not block the test in a modal loop.
std::vector<int> commandsSeen;
HWND watchedWindow = nullptr;
HHOOK commandHook = nullptr, dialogBlocker = nullptr;

LRESULT CALLBACK recordCommands(int code, WPARAM wParam, LPARAM lParam) {
    auto* call = reinterpret_cast<CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && call->hwnd == watchedWindow && call->message == WM_COMMAND) {
        commandsSeen.push_back(LOWORD(call->wParam));
    }
    return CallNextHookEx(commandHook, code, wParam, lParam);
}

LRESULT CALLBACK blockNewDialogs(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HCBT_CREATEWND) {
        auto* create = reinterpret_cast<CBT_CREATEWNDA*>(lParam);
        if (create->lpcs->lpszClass == MAKEINTATOM(0x8002) && create->lpcs->hwndParent == watchedWindow) return 1;
    }
    return CallNextHookEx(dialogBlocker, code, wParam, lParam);
}

class MainWindowTest : public ::testing::Test {
protected:
    TempFolder folder;
    AppState app;
    std::vector<std::string> messages;

    // The tick counts the seconds of this clock: a second passes when a test
    // says so.
    int64_t nowMs = 0;

    void SetUp() override {
        setMonotonicClock([this] { return nowMs; });
        setMessageResponder([this](HWND, const char* text, const char*, UINT) {
            messages.push_back(text);
            return IDOK;
        });
    }
    void TearDown() override {
        if (app.hwndMain) DestroyWindow(app.hwndMain);
        if (commandHook) UnhookWindowsHookEx(commandHook);
        if (dialogBlocker) UnhookWindowsHookEx(dialogBlocker);
        commandHook = dialogBlocker = nullptr;
        setMessageResponder(nullptr);
        setMonotonicClock(nullptr);
    }

    void open() {
        app.hInstance = GetModuleHandleA(nullptr);
        std::strcpy(app.title, "Horalet");
        CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                           reinterpret_cast<LPARAM>(&app));
        ASSERT_NE(app.hwndMain, nullptr);
        watchedWindow = app.hwndMain;
    }
    TimerRecord row(int index) {
        ListViewControl list(app.hwndList);
        return TimerTable(list).readTimerRow(index);
    }
    void write(int index, const TimerRecord& record) {
        ListViewControl list(app.hwndList);
        TimerTable(list).writeTimerRow(index, record);
    }
    int rows() { return ListViewControl(app.hwndList).rowCount(); }
    void tick(int seconds = 1) {
        nowMs += seconds * 1000;
        SendMessageA(app.hwndMain, WM_TIMER, 1, 0);
    }
    void command(int id) { SendMessageA(app.hwndMain, WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    void openOverAReadOnlyAutosave();
    void failASave();
    bool reportPending() {
        MSG report;
        return PeekMessageA(&report, app.hwndMain, WM_AUTOSAVE_REPORT, WM_AUTOSAVE_REPORT, PM_NOREMOVE) != FALSE;
    }
};

// A window of another thread, as another program's would be, with a
// message loop of its own while it lives.
struct ForeignWindow {
    HWND window = nullptr;
    DWORD threadId = 0;
    std::thread thread;
    ForeignWindow() {
        HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr);
        thread = std::thread([this, made] {
            threadId = GetCurrentThreadId();
            window = CreateWindowExA(0, "STATIC", "in front", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                     nullptr, nullptr);
            SetEvent(made);
            MSG message;
            while (GetMessageA(&message, nullptr, 0, 0) > 0) DispatchMessageA(&message);
            DestroyWindow(window);
        });
        WaitForSingleObject(made, INFINITE);
        CloseHandle(made);
    }
    ~ForeignWindow() {
        PostThreadMessageA(threadId, WM_QUIT, 0, 0);
        thread.join();
    }
};

std::string firstLine(const std::string& text) { return text.substr(0, text.find('\r')); }

TimerRecord runningTimer(const char* description, int limitSeconds) {
    TimerRecord r;
    std::strcpy(r.description, description);
    r.state = Running;
    r.limit = limitSeconds > 0;
    r.timeSet = {0, 0, limitSeconds};
    std::strcpy(r.unit, "second");
    return r;
}
}  // namespace

TEST_F(MainWindowTest, StartLoadsAutosavePausedWithTheFirstRowSelected) {
    writeWholeFile("autosave.ini", section(0, "Tea", 0, 1, 30) + section(1, "Done", 2, 1, 5));
    open();
    ASSERT_EQ(rows(), 2);
    EXPECT_EQ(row(0).state, Paused);
    EXPECT_EQ(row(1).state, Paused);
    EXPECT_EQ(ListViewControl(app.hwndList).selectedFocusedRow(), 0);
    EXPECT_NE(app.trayMenu, nullptr);
    EXPECT_NE(app.timerMenu, nullptr);
}

TEST_F(MainWindowTest, TickAdvancesRunningTimersAndFollowsTheSelection) {
    open();
    write(-1, runningTimer("Egg", 3));
    ListViewControl(app.hwndList).selectRow(0);
    tick();
    EXPECT_EQ(formatTimeText(row(0).timeCurrent), "00:00:01");
    char clock[64] = {};
    GetWindowTextA(app.hwndClock, clock, sizeof clock);
    EXPECT_STREQ(clock, "00:00:02");
    EXPECT_EQ(SendDlgItemMessageA(app.hwndMain, IDC_PROGRESS, PBM_GETPOS, 0, 0), 33);
}

namespace {
// Wine, told by the key it keeps its settings under rather than by the
// program's own test, which this is to check.
bool wineSettingsPresent() {
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_CURRENT_USER, "Software\\Wine", 0, KEY_READ, &key) != ERROR_SUCCESS) return false;
    RegCloseKey(key);
    return true;
}

// The list's drawing comes back on either way: its scroll bars left out of
// its style for that moment (under Wine only) or, forced here, the plain way.
class TickRepaintTest : public MainWindowTest, public ::testing::WithParamInterface<bool> {
protected:
    void SetUp() override { MainWindowTest::SetUp(); forcePlainListRedraw(GetParam()); }
    void TearDown() override { forcePlainListRedraw(false); MainWindowTest::TearDown(); }
};
}  // namespace

INSTANTIATE_TEST_SUITE_P(BothWays, TickRepaintTest, ::testing::Bool(),
                         [](const ::testing::TestParamInfo<bool>& way) { return way.param ? "Plain" : "BarsLeftOut"; });

// A tick holds the list's drawing while it writes and then has it repaint
// what changed, once: here the two time cells of the one running row in
// view, not its image, the rest of the row nor the rows around it.
TEST_P(TickRepaintTest, TickRepaintsOnlyTheCellsThatChangedInView) {
    open();
    ShowWindow(app.hwndMain, SW_SHOWNOACTIVATE);
    for (int i = 0; i < 40; ++i) {
        TimerRecord r = runningTimer("Timer", 0);
        r.limit = 1;
        r.timeSet = {0, 10, 0};
        r.state = i == 2 || i == 39 ? Running : Paused;
        write(-1, r);
    }
    UpdateWindow(app.hwndMain);
    // A mark on the scroll bar, which nothing in a tick changes, stays when
    // the bars are left out: the bar is not drawn again. Wine draws it again
    // the plain way. Either way the list keeps it where it was.
    const LONG_PTR style = GetWindowLongPtrA(app.hwndList, GWL_STYLE);
    RECT client = {};
    GetClientRect(app.hwndList, &client);
    SCROLLBARINFO bar = {};
    bar.cbSize = sizeof bar;
    ASSERT_TRUE(GetScrollBarInfo(app.hwndList, OBJID_VSCROLL, &bar));
    ASSERT_FALSE(bar.rgstate[0] & STATE_SYSTEM_INVISIBLE) << "40 rows do not fit: the list has a scroll bar";
    RECT window = {};
    GetWindowRect(app.hwndList, &window);
    const POINT mark = {(bar.rcScrollBar.left + bar.rcScrollBar.right) / 2 - window.left,
                        (bar.rcScrollBar.top + bar.rcScrollBar.bottom) / 2 - window.top};
    const COLORREF magenta = RGB(255, 0, 255);
    HDC frame = GetWindowDC(app.hwndList);
    SetPixel(frame, mark.x, mark.y, magenta);
    ReleaseDC(app.hwndList, frame);
    tick();
    frame = GetWindowDC(app.hwndList);
    if (wineSettingsPresent()) {
        const bool barsLeftOut = !GetParam();
        EXPECT_EQ(GetPixel(frame, mark.x, mark.y) == magenta, barsLeftOut)
            << (barsLeftOut ? "the scroll bar was drawn again" : "not the plain way: the scroll bar was not drawn again");
    }
    ReleaseDC(app.hwndList, frame);
    EXPECT_EQ(GetWindowLongPtrA(app.hwndList, GWL_STYLE), style);
    RECT clientAfter = {};
    GetClientRect(app.hwndList, &clientAfter);
    EXPECT_EQ(clientAfter.right, client.right) << "the scroll bar's room is kept";
    RECT changed = {};
    ASSERT_TRUE(GetUpdateRect(app.hwndList, &changed, FALSE));
    RECT row2 = {}, timeLeft = {};
    row2.left = LVIR_LABEL;
    SendMessageA(app.hwndList, LVM_GETITEMRECT, 2, reinterpret_cast<LPARAM>(&row2));
    timeLeft.top = ColumnTimeLeft;
    timeLeft.left = LVIR_BOUNDS;
    SendMessageA(app.hwndList, LVM_GETSUBITEMRECT, 2, reinterpret_cast<LPARAM>(&timeLeft));
    EXPECT_EQ(changed.top, row2.top);
    EXPECT_EQ(changed.bottom, row2.bottom);
    EXPECT_EQ(changed.left, row2.left);
    EXPECT_EQ(changed.right, timeLeft.right);
    EXPECT_EQ(formatTimeText(row(39).timeCurrent), "00:00:01");

    // Drawing is on again: a change made outside a tick shows at once.
    UpdateWindow(app.hwndList);
    EXPECT_TRUE(IsWindowVisible(app.hwndList));
    write(5, runningTimer("Changed", 0));
    EXPECT_TRUE(GetUpdateRect(app.hwndList, &changed, FALSE));
}

// The computer slept, or the thread was blocked: the first tick after the
// gap applies every second of it, and a delivery before the second is over
// applies none.
TEST_F(MainWindowTest, TickAfterAGapAppliesEverySecondThatPassed) {
    open();
    write(-1, runningTimer("Count-up", 0));
    TimerRecord countdown = runningTimer("Countdown", 6);
    countdown.runTimer = Next;
    write(-1, countdown);
    TimerRecord chained = runningTimer("Chained", 60);
    chained.state = Paused;
    write(-1, chained);
    write(-1, chained);
    write(-1, chained);
    // The selection and the focus on rows of their own, as after a click
    // below the rows or a focus moved alone: both rows lose their look to
    // the row the chain starts, and must be drawn anew.
    ShowWindow(app.hwndMain, SW_SHOWNOACTIVATE);
    LVITEMA state = {};
    state.stateMask = LVIS_SELECTED | LVIS_FOCUSED;
    state.state = LVIS_SELECTED;
    SendMessageA(app.hwndList, LVM_SETITEMSTATE, 3, reinterpret_cast<LPARAM>(&state));
    state.state = LVIS_FOCUSED;
    SendMessageA(app.hwndList, LVM_SETITEMSTATE, 4, reinterpret_cast<LPARAM>(&state));
    UpdateWindow(app.hwndMain);
    tick(10);
    HRGN changed = CreateRectRgn(0, 0, 0, 0);
    GetUpdateRgn(app.hwndList, changed, FALSE);
    for (int formerLook : {3, 4}) {
        RECT bounds = {};
        bounds.left = LVIR_BOUNDS;
        SendMessageA(app.hwndList, LVM_GETITEMRECT, formerLook, reinterpret_cast<LPARAM>(&bounds));
        EXPECT_TRUE(PtInRegion(changed, bounds.left + 2, (bounds.top + bounds.bottom) / 2))
            << "row " << formerLook << " keeps its old highlight or focus on screen";
    }
    DeleteObject(changed);
    EXPECT_EQ(formatTimeText(row(0).timeCurrent), "00:00:10");
    EXPECT_EQ(row(1).state, Finished);
    EXPECT_EQ(row(2).state, Running);
    EXPECT_EQ(formatTimeText(row(2).timeCurrent), "00:00:04") << "started at 6 s, counting since";
    EXPECT_EQ(ListViewControl(app.hwndList).selectedFocusedRow(), 2) << "the clock follows the chain";
    EXPECT_NE(readWholeFile("autosave.ini").find("STATE = 2"), std::string::npos);

    tick(0);  // early, or a second delivery for the same second
    EXPECT_EQ(formatTimeText(row(0).timeCurrent), "00:00:10");
}

TEST_F(MainWindowTest, AutosaveFollowsEveryChangeOfTheList) {
    open();
    write(-1, runningTimer("Egg", 2));
    command(0);  // any command ends with the autosave check
    std::string afterAdd = readWholeFile("autosave.ini");
    EXPECT_NE(afterAdd.find("DESCRIPTION = Egg"), std::string::npos);
    EXPECT_NE(afterAdd.find("STATE = 0"), std::string::npos);

    tick();  // advancing time changes nothing the file holds
    EXPECT_EQ(readWholeFile("autosave.ini"), afterAdd);
    tick();  // completes
    EXPECT_EQ(row(0).state, Finished);
    EXPECT_NE(readWholeFile("autosave.ini").find("STATE = 2"), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

// An episode of failed saves runs from the first failed save after a good one
// to the next good one. Each test starts one as Add would: the list changes
// while autosave.ini is read-only.
void MainWindowTest::openOverAReadOnlyAutosave() {
    writeWholeFile("autosave.ini", section(0, "Tea", 1, 0, 0));
    open();
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_READONLY);
}

void MainWindowTest::failASave() {
    openOverAReadOnlyAutosave();
    write(-1, runningTimer("Egg", 0));
    command(0);
}

// What the last run left running comes back paused where it stood, and
// "Resume timers" (in the menu bar and the tray's menu) goes on with it.
// Its time is kept once a minute, counted from the last write: a kill loses
// at most that much, and the disk is not written every second.
TEST_F(MainWindowTest, ProgressIsKeptOnceAMinuteAndTheLastRunWaitsToResume) {
    writeWholeFile("autosave.ini", section(0, "Tea", 0, 1, 600) + "ELAPSED = 100\r\n" + section(1, "Idle", 1, 1, 60));
    open();
    auto resumable = [this](HMENU menu) { return !(GetMenuState(menu, IDM_TIMER_RESUME, MF_BYCOMMAND) & MF_GRAYED); };
    EXPECT_EQ(row(0).state, Paused);
    EXPECT_EQ(formatTimeText(row(0).timeCurrent), "00:01:40");
    EXPECT_TRUE(resumable(GetMenu(app.hwndMain)) && resumable(app.trayMenu));

    command(IDM_TIMER_RESUME);
    EXPECT_EQ(row(0).state, Running);
    EXPECT_EQ(row(1).state, Paused);
    EXPECT_FALSE(resumable(GetMenu(app.hwndMain)) || resumable(app.trayMenu));
    const std::string atResume = readWholeFile("autosave.ini");
    EXPECT_NE(atResume.find("STATE = 0\r\nLIMIT = 1\r\nCOAST_INT = 0\r\nCOAST_FRAC = \r\nVALUE = 0\r\nUNIT = second\r\nELAPSED = 100"),
              std::string::npos);
    for (int second = 1; second < 60; ++second) tick();
    EXPECT_EQ(readWholeFile("autosave.ini"), atResume) << "written before a minute had passed";
    tick();
    EXPECT_NE(readWholeFile("autosave.ini").find("ELAPSED = 160"), std::string::npos);
    for (int second = 1; second < 60; ++second) tick();
    EXPECT_NE(readWholeFile("autosave.ini").find("ELAPSED = 160"), std::string::npos);
    tick();
    EXPECT_NE(readWholeFile("autosave.ini").find("ELAPSED = 220"), std::string::npos);
    EXPECT_TRUE(messages.empty());
}

TEST_F(MainWindowTest, FailedAutosaveIsToldFromTheMainLoopNotFromTheCommand) {
    failASave();
    EXPECT_TRUE(messages.empty()) << "shown from inside the command that changed the list";
    pumpMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(firstLine(messages[0]), "Error operation of save!");
}

TEST_F(MainWindowTest, FailedAutosaveIsHeldBackWhileAnotherDialogOfOursIsUp) {
    failASave();
    EnableWindow(app.hwndMain, FALSE);  // as while another dialog of ours is open
    pumpMessages();
    EXPECT_TRUE(messages.empty()) << "shown over another dialog";
    EnableWindow(app.hwndMain, TRUE);
    tick();
    pumpMessages();
    EXPECT_EQ(messages.size(), 1u) << "dropped instead of held back";
}

// A log-off with the report posted: neither it nor the next second's failed
// retry may show or post one until the end is called off.
TEST_F(MainWindowTest, FailedAutosaveIsNeitherShownNorPostedWhileTheSessionEnds) {
    failASave();
    EXPECT_EQ(SendMessageA(app.hwndMain, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    pumpMessages();
    EXPECT_TRUE(messages.empty()) << "the session's end waited for a box";
    tick();
    EXPECT_FALSE(reportPending()) << "reported during the session's end";
    SendMessageA(app.hwndMain, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program called it off
    tick();
    pumpMessages();
    EXPECT_EQ(messages.size(), 1u) << "dropped instead of held back";
}

TEST_F(MainWindowTest, FailedAutosaveIsToldOncePerEpisode) {
    failASave();
    for (int i = 0; i < 5; ++i) {
        tick();
        pumpMessages();
    }
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(firstLine(messages[0]), "Error operation of save!");
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_NORMAL);
    tick();  // saved: the episode ends
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_READONLY);
    ListViewControl(app.hwndList).selectRow(1);
    command(IDM_TIMER_PLAY_PAUSE);
    pumpMessages();
    EXPECT_EQ(messages.size(), 2u) << "a new episode is told again";
}

TEST_F(MainWindowTest, FailedAutosaveIsRetriedEverySecondWithoutWaitingForAChange) {
    failASave();
    pumpMessages();
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_NORMAL);
    tick();  // nothing the file holds changed in this tick
    EXPECT_NE(readWholeFile("autosave.ini").find("DESCRIPTION = Egg"), std::string::npos);
}

// While saves fail a change waits for the retry; the session's end does not.
TEST_F(MainWindowTest, SessionEndSavesTheLastChangeThatFailedToSave) {
    failASave();
    pumpMessages();
    ListViewControl(app.hwndList).selectRow(1);
    command(IDM_TIMER_PLAY_PAUSE);
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_NORMAL);
    SendMessageA(app.hwndMain, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF);
    const std::string saved = readWholeFile("autosave.ini");
    ASSERT_NE(saved.find("DESCRIPTION = Egg"), std::string::npos);
    EXPECT_EQ(saved.find("STATE = 0"), std::string::npos) << "Egg's pause is not saved";
}

// A log-off whose one quiet save is the episode's first failure: nothing about
// it while the session ends, nor after; only if another program calls the end
// off does the next second's failed retry tell it, once.
TEST_F(MainWindowTest, FirstFailedSaveAtTheSessionsEndIsToldOnlyWhenTheProgramGoesOn) {
    openOverAReadOnlyAutosave();
    EXPECT_EQ(SendMessageA(app.hwndMain, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF), TRUE);
    EXPECT_FALSE(reportPending());
    tick();  // a second goes by before the session's end comes
    pumpMessages();
    EXPECT_TRUE(messages.empty()) << "shown during the session's end";
    SendMessageA(app.hwndMain, WM_ENDSESSION, FALSE, ENDSESSION_LOGOFF);  // another program called it off
    tick();
    pumpMessages();
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(firstLine(messages[0]), "Error operation of save!");
}

// A file that loads no timer (here CR-only line ends from some editor) is
// the user's list in a form the reader does not take: the empty list must
// not simply replace it.
TEST_F(MainWindowTest, AutosaveThatGivesNoTimersIsKeptBeforeTheEmptyListReplacesIt) {
    const std::string unread = "[TIMER_0]\rDESCRIPTION = Tea\rSECONDS = 30\r";
    writeWholeFile("autosave.ini", unread);
    open();
    EXPECT_EQ(rows(), 0);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_NE(messages[0].find("autosave-unread.ini"), std::string::npos);
    DestroyWindow(app.hwndMain);  // exit saves the (empty) list
    app.hwndMain = nullptr;
    EXPECT_EQ(readWholeFile("autosave-unread.ini"), unread);
    EXPECT_EQ(readWholeFile("autosave.ini"), "");
    EXPECT_EQ(messages.size(), 1u);
}

TEST_F(MainWindowTest, AutosaveThatCannotBeKeptIsNotReplaced) {
    const std::string unread(1000, '\0');
    writeWholeFile("autosave.ini", unread);
    CreateDirectoryA("autosave-unread.ini", nullptr);  // the copy cannot be made
    open();
    write(-1, runningTimer("Egg", 0));
    command(0);
    pumpMessages();
    EXPECT_EQ(readWholeFile("autosave.ini"), unread);
    ASSERT_EQ(messages.size(), 2u);
    EXPECT_EQ(firstLine(messages[1]), "Error operation of save!");
    RemoveDirectoryA("autosave-unread.ini");
    tick();  // the retry makes the copy now, then saves
    pumpMessages();
    EXPECT_EQ(messages.size(), 2u);
    EXPECT_EQ(readWholeFile("autosave-unread.ini"), unread);
    EXPECT_NE(readWholeFile("autosave.ini").find("DESCRIPTION = Egg"), std::string::npos);
}

TEST_F(MainWindowTest, EmptyOrMissingAutosaveStartsQuietly) {
    writeWholeFile("autosave.ini", "");  // what an empty list writes
    open();
    EXPECT_EQ(rows(), 0);
    DestroyWindow(app.hwndMain);
    app.hwndMain = nullptr;
    DeleteFileA("autosave.ini");
    open();
    EXPECT_TRUE(messages.empty());
    EXPECT_EQ(GetFileAttributesA("autosave-unread.ini"), INVALID_FILE_ATTRIBUTES);
}

TEST_F(MainWindowTest, CloseHidesTheWindowAndTheTimersKeepCounting) {
    open();
    ShowWindow(app.hwndMain, SW_SHOW);
    write(-1, runningTimer("Egg", 0));
    SendMessageA(app.hwndMain, WM_CLOSE, 0, 0);
    EXPECT_TRUE(IsWindow(app.hwndMain));
    EXPECT_FALSE(IsWindowVisible(app.hwndMain));
    tick();
    EXPECT_EQ(formatTimeText(row(0).timeCurrent), "00:00:01");
}

namespace {
VOID CALLBACK pressEscOnMainWindow(HWND, UINT, UINT_PTR timer, DWORD) {
    if (HWND main = FindWindowA("#32770", "Horalet")) {
        KillTimer(nullptr, timer);
        PostMessageA(main, WM_COMMAND, IDCANCEL, 0);
    }
}
}  // namespace

TEST_F(MainWindowTest, EscEndsTheModalRunAndWritesTheListExactly) {
    std::string file = section(0, "Tea", 0, 1, 30) + section(1, "Walk", 1, 0, 0);
    writeWholeFile("autosave.ini", file);
    app.hInstance = GetModuleHandleA(nullptr);
    std::strcpy(app.title, "Horalet");
    SetTimer(nullptr, 0, 100, pressEscOnMainWindow);
    INT_PTR result = DialogBoxParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc,
                                     reinterpret_cast<LPARAM>(&app));
    app.hwndMain = nullptr;
    EXPECT_EQ(result, 0);
    // Loaded paused, written back paused: the same bytes but for STATE, and
    // each timer's elapsed time after the fifteen keys.
    EXPECT_EQ(readWholeFile("autosave.ini"),
              section(0, "Tea", 1, 1, 30) + "ELAPSED = 0\r\n" + section(1, "Walk", 1, 0, 0) + "ELAPSED = 0\r\n");
}

namespace {
bool menuWasShown = false;
VOID CALLBACK closeAnyMenu(HWND, UINT, UINT_PTR timer, DWORD) {
    HWND menu = FindWindowA("#32768", nullptr);
    if (menu && IsWindowVisible(menu)) menuWasShown = true;
    KillTimer(nullptr, timer);
    EndMenu();
}

bool trayEventShowsMenu(const AppState& app, LPARAM event) {
    menuWasShown = false;
    SetTimer(nullptr, 0, 300, closeAnyMenu);
    SendMessageA(app.hwndMain, WM_TRAYNOTIFY, trayIconId, event);
    MSG msg;
    // Let the timer fire even when no menu loop ran.
    for (DWORD until = GetTickCount() + 600; GetTickCount() < until;) {
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        Sleep(10);
    }
    return menuWasShown;
}
}  // namespace

TEST_F(MainWindowTest, TrayButtonsShowTheWindowAndOnlyTheContextButtonOpensTheMenu) {
    open();
    ShowWindow(app.hwndMain, SW_HIDE);
    EXPECT_FALSE(trayEventShowsMenu(app, WM_LBUTTONDOWN));
    EXPECT_TRUE(IsWindowVisible(app.hwndMain));
    EXPECT_TRUE(trayEventShowsMenu(app, WM_RBUTTONDOWN));
    EXPECT_FALSE(trayEventShowsMenu(app, WM_MOUSEMOVE));

    app.buttonsSwapped = 1;
    EXPECT_TRUE(trayEventShowsMenu(app, WM_LBUTTONDOWN));
    EXPECT_FALSE(trayEventShowsMenu(app, WM_RBUTTONDOWN));

    // While one of our modal dialogs is open the main window is disabled:
    // the context button still brings the window back, but beeps instead of
    // opening the menu.
    app.buttonsSwapped = 0;
    ShowWindow(app.hwndMain, SW_HIDE);
    EnableWindow(app.hwndMain, FALSE);
    EXPECT_FALSE(trayEventShowsMenu(app, WM_RBUTTONDOWN));
    EXPECT_TRUE(IsWindowVisible(app.hwndMain)) << "the click was ignored";
    EnableWindow(app.hwndMain, TRUE);

    ShowWindow(app.hwndMain, SW_HIDE);
    SendMessageA(app.hwndMain, WM_TRAYNOTIFY, trayIconId, NIN_BALLOONUSERCLICK);
    EXPECT_TRUE(IsWindowVisible(app.hwndMain));
}

// No display here shows the taskbar's part, so the calls are checked where
// the window makes them.
TEST_F(MainWindowTest, TrayAndTaskbarFollowTheTimersAndAClickSelectsTheFirstUnseenFinish) {
    using Calls = std::vector<std::string>;
    RecordingDesktopShell shell;
    app.desktopShell = &shell;
    open();
    write(-1, runningTimer("Long", 50));
    write(-1, runningTimer("Tea", 3));
    write(-1, runningTimer("Egg", 2));
    ListViewControl(app.hwndList).selectRow(1);
    command(0);  // after any command, what runs is read from the list
    EXPECT_EQ(shell.take(), (Calls{"progress normal 0", "tip Egg: 00:02 left (+2 running)", "icon running"}));

    // Shown, but another program's window is in front (a window of another
    // thread: every window of this one is the program's own): the finishes
    // flash the button once and leave the finish mark.
    ShowWindow(app.hwndMain, SW_SHOW);
    std::optional<ForeignWindow> other(std::in_place);
    SetForegroundWindow(other->window);
    ASSERT_NE(GetForegroundWindow(), app.hwndMain);
    tick();
    EXPECT_EQ(shell.take(), (Calls{"tip Egg: 00:01 left (+2 running)", "progress normal 33"}));
    tick(2);  // Egg finishes in the first of these seconds, Tea in the second
    EXPECT_EQ(shell.take(), (Calls{"flash", "icon unseen", "tip Long: 00:47 left", "progress error 100"}));

    // The taskbar made the button again (Explorer restarted): it is told again.
    SendMessageA(app.hwndMain, taskbarButtonCreatedMessage(), 0, 0);
    EXPECT_EQ(shell.take(), (Calls{"progress error 100"}));

    // A click on the balloon once the window is hidden: the first to finish
    // is selected, wherever its row went meanwhile, and being shown in
    // front, every finish is seen. (The other program has gone: Wine hands
    // the foreground over from another thread's window only some time later.)
    other.reset();
    ShowWindow(app.hwndMain, SW_HIDE);
    {
        ListViewControl list(app.hwndList);
        TimerTable(list).exchangeRows(1, 2);  // Egg, which finished first, moves up
    }
    command(0);
    shell.take();
    SendMessageA(app.hwndMain, WM_TRAYNOTIFY, trayIconId, NIN_BALLOONUSERCLICK);
    EXPECT_EQ(ListViewControl(app.hwndList).selectedFocusedRow(), 1);
    EXPECT_STREQ(row(1).description, "Egg");
    EXPECT_EQ(GetForegroundWindow(), app.hwndMain);
    EXPECT_EQ(shell.take(), (Calls{"icon running", "progress none"}));
    {
        ListViewControl list(app.hwndList);
        TimerTable(list).exchangeRows(1, 2);
        list.selectRow(2);
    }
    EXPECT_EQ(shell.take(), Calls{});

    // Minimized, it is behind: restoring it shows the finish.
    ShowWindow(app.hwndMain, SW_MINIMIZE);
    write(1, runningTimer("Tea", 1));
    tick();
    EXPECT_EQ(shell.take(), (Calls{"flash", "icon unseen", "tip Long: 00:46 left"}));
    // Windows restores it from its button in this order: active while still
    // minimized, then restored.
    SetForegroundWindow(app.hwndMain);
    SendMessageA(app.hwndMain, WM_ACTIVATE, MAKEWPARAM(WA_CLICKACTIVE, TRUE), 0);
    EXPECT_EQ(shell.take(), Calls{});
    SendMessageA(app.hwndMain, WM_SIZE, SIZE_RESTORED, 0);
    EXPECT_EQ(shell.take(), (Calls{"icon running"}));
    ShowWindow(app.hwndMain, SW_RESTORE);

    // A finish in front of the user is seen as it happens, and so is one
    // while a dialog or a box of the program is in front.
    write(1, runningTimer("Tea", 1));
    tick();
    EXPECT_EQ(shell.take(), (Calls{"tip Long: 00:45 left"}));
    HWND dialog = CreateWindowExA(0, "STATIC", "ours", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, app.hwndMain, nullptr,
                                  nullptr, nullptr);
    SetForegroundWindow(dialog);
    ASSERT_EQ(GetForegroundWindow(), dialog);
    write(1, runningTimer("Tea", 1));
    tick();
    EXPECT_EQ(shell.take(), (Calls{"tip Long: 00:44 left"}));
    DestroyWindow(dialog);
}

// A hand-over as a start sends it: from another thread, so that the window
// answers while its own thread goes on. Returns the answer.
LRESULT handOver(HWND main, uint64_t answerByMs, const std::function<void()>& atTheAnswer = {}) {
    TimerCommand command;
    command.seconds = 300;
    command.description = "Handed over";
    std::vector<unsigned char> payload = encodeTimerCommand(command, answerByMs);
    COPYDATASTRUCT data = {timerCommandPayloadId, static_cast<DWORD>(payload.size()), payload.data()};
    LRESULT answer = -1;
    std::atomic<bool> done{false};
    std::thread start([&] {
        answer = SendMessageA(main, WM_COPYDATA, 0, reinterpret_cast<LPARAM>(&data));
        if (atTheAnswer) atTheAnswer();
        done = true;
    });
    while (!done) {
        MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&message);
    }
    start.join();
    return answer;
}

TEST_F(MainWindowTest, AHandedOverTimerIsAnsweredOnlyWhenItIsSafeAndNeverInsideTheTick) {
    // The tray's call waits for Explorer, and a start's message comes in
    // meanwhile, while the list's drawing is held.
    struct HandOverDuringTheTip : RecordingDesktopShell {
        std::function<void()> atTip;
        void setTrayTip(const char* tip) override {
            RecordingDesktopShell::setTrayTip(tip);
            if (atTip) std::exchange(atTip, nullptr)();
        }
    } shell;
    app.desktopShell = &shell;
    open();
    for (int i = 0; i < maxTimers - 2; ++i) write(-1, runningTimer("Other", 0));
    command(0);
    const uint64_t later = GetTickCount64() + 60000;
    LRESULT duringTheTick = -1;
    shell.atTip = [&] {
        duringTheTick = handOver(app.hwndMain, later);
        EXPECT_EQ(rows(), maxTimers - 2) << "added inside the tick";
    };
    tick();
    EXPECT_EQ(duringTheTick, timerCommandNotReady);
    ASSERT_EQ(shell.atTip, nullptr) << "the tick told the tray nothing";

    // Asked again after the tick: answered once the list is in its file,
    // which the start may read the moment it is let go.
    std::string savedAtTheAnswer;
    EXPECT_EQ(handOver(app.hwndMain, later, [&] { savedAtTheAnswer = readWholeFile("autosave.ini"); }),
              timerCommandAdded);
    EXPECT_EQ(rows(), maxTimers - 1);
    EXPECT_NE(savedAtTheAnswer.find("DESCRIPTION = Handed over"), std::string::npos);

    // A message its start no longer waits for adds nothing.
    EXPECT_EQ(handOver(app.hwndMain, GetTickCount64() - 1), timerCommandTooLate);
    EXPECT_EQ(rows(), maxTimers - 1);

    // A list that cannot be saved: the timer is there, and the start is told so.
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_READONLY);
    EXPECT_EQ(handOver(app.hwndMain, later), timerCommandAddedNotSaved);
    EXPECT_EQ(rows(), maxTimers);
    SetFileAttributesA("autosave.ini", FILE_ATTRIBUTE_NORMAL);
}

// A start finds the instance by its main window, never by another window
// that bears the title; and a mutex it may not open (made by an instance
// that runs as administrator) means another instance runs.
TEST_F(MainWindowTest, TheInstanceIsTheMainWindowAndAMutexWithoutRightsIsAnotherInstance) {
    std::strcpy(app.title, "Horalet test instance");
    HWND box = CreateWindowExA(0, "#32770", app.title, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr, nullptr,
                               nullptr);
    HWND folder = CreateWindowExA(0, "STATIC", app.title, WS_POPUP | WS_VISIBLE, 0, 0, 50, 50, nullptr, nullptr,
                                  nullptr, nullptr);
    EXPECT_EQ(findRunningMainWindow(app.title), nullptr) << "a box or another window taken for the instance";
    app.hInstance = GetModuleHandleA(nullptr);
    CreateDialogParamA(app.hInstance, MAKEINTRESOURCEA(IDD_MAIN), nullptr, MainDialogProc, reinterpret_cast<LPARAM>(&app));
    SetWindowTextA(app.hwndMain, app.title);
    EXPECT_EQ(findRunningMainWindow(app.title), app.hwndMain);
    DestroyWindow(box);
    DestroyWindow(folder);

    // A DACL that grants nothing, as a lesser start meets an elevated one's.
    SECURITY_DESCRIPTOR nobody;
    InitializeSecurityDescriptor(&nobody, SECURITY_DESCRIPTOR_REVISION);
    ACL empty;
    InitializeAcl(&empty, sizeof empty, ACL_REVISION);
    SetSecurityDescriptorDacl(&nobody, TRUE, &empty, FALSE);
    SECURITY_ATTRIBUTES attributes = {sizeof attributes, &nobody, FALSE};
    HANDLE made = CreateEventA(nullptr, TRUE, FALSE, nullptr), done = CreateEventA(nullptr, TRUE, FALSE, nullptr);
    std::thread instance([&] {  // the instance's own thread owns it
        HANDLE mutex = CreateMutexA(&attributes, TRUE, "Local\\Horalet test instance.Instance");
        SetEvent(made);
        WaitForSingleObject(done, INFINITE);
        ReleaseMutex(mutex);
        CloseHandle(mutex);
    });
    WaitForSingleObject(made, INFINITE);
    EXPECT_FALSE(SingleInstance(app.title).isFirst());
    SetEvent(done);
    instance.join();
    CloseHandle(made);
    CloseHandle(done);
    SingleInstance alone("Horalet test, alone");
    EXPECT_TRUE(alone.isFirst());
}

TEST_F(MainWindowTest, AcceleratorHookTurnsKeysIntoMainWindowCommands) {
    open();
    write(-1, runningTimer("First", 0));
    write(-1, runningTimer("Second", 0));
    ListViewControl(app.hwndList).selectRow(1);
    installAcceleratorHook(app);
    commandHook = SetWindowsHookExA(WH_CALLWNDPROC, recordCommands, nullptr, GetCurrentThreadId());
    dialogBlocker = SetWindowsHookExA(WH_CBT, blockNewDialogs, nullptr, GetCurrentThreadId());

    // The modifier held, the key's message as the dialog loop meets it, and
    // the command it must become.
    struct Key {
        int modifier;
        MSG message;
        int command;
    };
    const Key keyTable[] = {
        {VK_CONTROL, {app.hwndList, WM_KEYDOWN, VK_UP, 0, 0, {}}, IDM_TIMER_MOVE_UP},
        {VK_MENU, {app.hwndMain, WM_SYSCHAR, '/', 1 << 29, 0, {}}, IDM_ABOUT},
        {0, {app.hwndList, WM_KEYDOWN, VK_F1, 0, 0, {}}, IDM_USER_MANUAL},
    };
    BYTE keys[256] = {};
    for (const Key& key : keyTable) {
        GetKeyboardState(keys);
        keys[VK_CONTROL] = keys[VK_MENU] = 0;
        if (key.modifier) keys[key.modifier] = 0x80;
        SetKeyboardState(keys);
        commandsSeen.clear();
        MSG message = key.message;
        EXPECT_EQ(AccelHookProc(MSGF_DIALOGBOX, 0, reinterpret_cast<LPARAM>(&message)), 1) << key.command;
        EXPECT_EQ(commandsSeen, std::vector<int>{key.command});
    }
    EXPECT_STREQ(row(0).description, "Second");  // Move up exchanged the rows


    // Messages of other loops (a menu's, code 2) are left alone.
    keys[VK_MENU] = 0x80;
    SetKeyboardState(keys);
    MSG altSlash = keyTable[1].message;
    commandsSeen.clear();
    EXPECT_EQ(AccelHookProc(MSGF_MENU, 0, reinterpret_cast<LPARAM>(&altSlash)), 0);
    EXPECT_TRUE(commandsSeen.empty());
    keys[VK_MENU] = 0;
    SetKeyboardState(keys);
    removeAcceleratorHook();
}

namespace {
bool trayIconExists(HWND window) {
    NOTIFYICONDATAA data = {};
    data.cbSize = sizeof data;
    data.hWnd = window;
    data.uID = trayIconId;
    data.uFlags = NIF_TIP;  // a change that is only accepted for an icon that exists
    return Shell_NotifyIconA(NIM_MODIFY, &data) != FALSE;
}
}  // namespace

TEST_F(MainWindowTest, TrayIconComesBackWhenTheTaskbarIsCreatedAgain) {
    open();
    ASSERT_TRUE(trayIconExists(app.hwndMain));
    removeTrayIcon(app.hwndMain);  // what an Explorer restart does to every icon
    ASSERT_FALSE(trayIconExists(app.hwndMain));
    SendMessageA(app.hwndMain, RegisterWindowMessageA("TaskbarCreated"), 0, 0);
    EXPECT_TRUE(trayIconExists(app.hwndMain));
}

namespace {
// The display scale and the sizes expected at it, worked out here from the
// 96-DPI values rather than through the program's own scaling.
int systemDpi() {
    HDC screen = GetDC(nullptr);
    int dpi = GetDeviceCaps(screen, LOGPIXELSY);
    ReleaseDC(nullptr, screen);
    return dpi;
}
int at(int length, int dpi) { return MulDiv(length, dpi, 96); }

int iconWidth(HICON icon) {
    ICONINFO info = {};
    BITMAP bits = {};
    if (GetIconInfo(icon, &info)) GetObjectA(info.hbmColor, sizeof bits, &bits);
    DeleteObject(info.hbmColor);
    DeleteObject(info.hbmMask);
    return bits.bmWidth;
}

std::vector<int> columnWidths(const AppState& app) {
    std::vector<int> widths;
    for (int column = 0; column < 15; ++column) {
        widths.push_back(static_cast<int>(SendMessageA(app.hwndList, LVM_GETCOLUMNWIDTH, column, 0)));
    }
    return widths;
}

// Everything else the main window sizes itself: the clock's font height,
// the state icons' size and count, and the size of the window's small and
// big icon.
std::vector<int> drawnSizes(const AppState& app) {
    LOGFONTA font = {};
    GetObjectA(reinterpret_cast<HFONT>(SendMessageA(app.hwndClock, WM_GETFONT, 0, 0)), sizeof font, &font);
    auto images = reinterpret_cast<HIMAGELIST>(SendMessageA(app.hwndList, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    int imageWidth = 0, imageHeight = 0;
    ImageList_GetIconSize(images, &imageWidth, &imageHeight);
    auto icon = [&](WPARAM which) { return reinterpret_cast<HICON>(SendMessageA(app.hwndMain, WM_GETICON, which, 0)); };
    return {static_cast<int>(font.lfHeight), imageWidth, ImageList_GetImageCount(images), iconWidth(icon(ICON_SMALL)),
            iconWidth(icon(ICON_BIG))};
}

std::vector<int> expectedAt(int dpi) { return {at(80, dpi), at(16, dpi), 3, at(16, dpi), at(32, dpi)}; }

// The four shown columns as they were at `fromDpi`, carried to `toDpi`;
// the description takes what is left of the list, the hidden ones stay 0.
std::vector<int> carried(const std::vector<int>& widths, int fromDpi, int toDpi, HWND list) {
    std::vector<int> moved(15, 0);
    RECT client;
    GetClientRect(list, &client);
    int rest = client.right;
    for (int column = 0; column < 4; ++column) rest -= moved[column] = MulDiv(widths[column], toDpi, fromDpi);
    moved[4] = rest > headerFit(list, 4) ? rest : headerFit(list, 4);
    return moved;
}

// What the system sends when the window is moved to a monitor of `dpi`.
RECT sendDpiChange(HWND window, int dpi, int left, int top, int width, int height) {
    RECT suggested = {left, top, left + width, top + height};
    SendMessageA(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
    return suggested;
}
}  // namespace

// Wine has one DPI for the whole system and sends no WM_DPICHANGED; the test
// sends it as Windows does when the window crosses to another monitor.
TEST_F(MainWindowTest, MovedToAMonitorOfAnotherScaleItTakesTheRectangleAndResizesWhatItDrawsItself) {
    writeWholeFile("autosave.ini", section(0, "Tea", 0, 1, 30));
    open();
    const int home = systemDpi(), other = home * 3 / 2;
    EXPECT_EQ(drawnSizes(app), expectedAt(home)) << "at the system's DPI";
    EXPECT_EQ(columnFitProblem(app.hwndList, {at(75, home), at(60, home), at(60, home), at(60, home)}), "");

    // A width the user dragged keeps its proportion on the way and back;
    // the description gives up the room.
    SendMessageA(app.hwndList, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(at(130, home), 0));
    const std::vector<int> atHome = columnWidths(app);
    EXPECT_EQ(atHome, carried(atHome, home, home, app.hwndList));
    RECT before;
    GetWindowRect(app.hwndMain, &before);
    const int width = before.right - before.left, height = before.bottom - before.top;
    RECT suggested = sendDpiChange(app.hwndMain, other, 40, 30, width * 3 / 2, height * 3 / 2);
    RECT after;
    GetWindowRect(app.hwndMain, &after);
    EXPECT_TRUE(EqualRect(&after, &suggested));
    // The columns are carried in proportion to what they were; the rest is
    // made anew for the new DPI.
    EXPECT_EQ(columnWidths(app), carried(atHome, home, other, app.hwndList));
    EXPECT_EQ(drawnSizes(app), expectedAt(other));
    EXPECT_EQ(row(0).state, Paused) << "the rows keep their state images";

    suggested = sendDpiChange(app.hwndMain, home, before.left, before.top, width, height);
    GetWindowRect(app.hwndMain, &after);
    EXPECT_TRUE(EqualRect(&after, &suggested));
    EXPECT_EQ(columnWidths(app), atHome);
    EXPECT_EQ(drawnSizes(app), expectedAt(home));

    // A message with no DPI in it changes nothing.
    sendDpiChange(app.hwndMain, 0, 0, 0, 10, 10);
    EXPECT_EQ(columnWidths(app), atHome);
    EXPECT_EQ(drawnSizes(app), expectedAt(home));
}
