#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <chrono>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

#include "app/timer_sets.h"
#include "app_window_fixture.h"
#include "bad_timer_sets.h"
#include "sets/timer_set_file.h"
#include "temp_folder.h"

namespace {
TimerRecord limitedTimer(const char* description, TimeHms set, TimerState state) {
    TimerRecord r;
    std::strcpy(r.description, description);
    r.timeSet = set;
    r.timeCurrent = {0, 0, 12};
    r.limit = 1;
    r.state = state;
    std::strcpy(r.fileName, ".\\wave files\\reminder.wav");
    std::strcpy(r.unit, "second");
    return r;
}

std::vector<WPARAM> redrawSwitches;
LRESULT CALLBACK recordRedraw(HWND window, UINT message, WPARAM wParam, LPARAM lParam, UINT_PTR, DWORD_PTR) {
    if (message == WM_SETREDRAW) redrawSwitches.push_back(wParam);
    return DefSubclassProc(window, message, wParam, lParam);
}

class TimerSetFilesTest : public ::testing::Test {
protected:
    void addThreeTimers() {
        ui.table.writeTimerRow(-1, limitedTimer("Tea \xE2\x80\x94 green", {0, 1, 30}, Running));
        TimerRecord program = limitedTimer("Backup", {1, 0, 0}, Finished);
        program.actionType = RunProgram;
        std::strcpy(program.parameters, "/quiet \"C:\\a b\"");
        ui.table.writeTimerRow(-1, program);
        TimerRecord counter = limitedTimer("", {0, 0, 0}, Paused);
        counter.limit = 0;
        ui.table.writeTimerRow(-1, counter);
    }
    std::string expectedText() const {
        TextBuffer text = buildTimerSetText(ui.table);
        return std::string(text.text(), static_cast<std::size_t>(text.length()));
    }
    void expectOneSaveError() {
        ASSERT_EQ(ui.messages.size(), 1u);
        EXPECT_EQ(ui.messages[0].text, "Error operation of save!");
        EXPECT_EQ(ui.messages[0].caption, "Horalet test");
        EXPECT_EQ(ui.messages[0].style, static_cast<UINT>(MB_ICONERROR));
        EXPECT_EQ(ui.messages[0].owner, ui.app.hwndMain);
        ui.messages.clear();
    }

    AppWindow ui;
    ScratchFolder folder;
};
}  // namespace

TEST_F(TimerSetFilesTest, SavedSetLoadsBackThroughTheRealListAndFiles) {
    addThreeTimers();
    std::string path = folder.file("set.ini");
    EXPECT_TRUE(saveTimerSet(path.c_str(), ui.app));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readWholeFile(path), expectedText());
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"set.ini"}) << "no temporary file is left";

    ui.table.deleteAllRows();
    // The list's style keeps WS_VISIBLE while its drawing is held off; what
    // tells is the last WM_SETREDRAW it was sent.
    SetWindowSubclass(ui.app.hwndList, recordRedraw, 0, 0);
    loadTimerSet(path.c_str(), ui.app, false);
    RemoveWindowSubclass(ui.app.hwndList, recordRedraw, 0);
    ASSERT_EQ(ui.table.rowCount(), 3);
    EXPECT_EQ(ui.table.readTimerRow(0).state, Running);
    EXPECT_EQ(ui.table.readTimerRow(1).state, Finished);
    EXPECT_EQ(ui.table.readTimerRow(1).actionType, RunProgram);
    EXPECT_STREQ(ui.table.readTimerRow(1).parameters, "/quiet \"C:\\a b\"");
    EXPECT_STREQ(ui.table.readTimerRow(2).description, "") << "an empty description does not end the set";
    EXPECT_EQ(ui.table.findSelectedRow(), 0);
    EXPECT_EQ(redrawSwitches, (std::vector<WPARAM>{FALSE, TRUE})) << "drawing is back on after the load";
    // The clock followed the load: the first timer, elapsed time back at zero.
    EXPECT_EQ(ui.clockText(), "00:01:30");
    EXPECT_EQ(ui.progressPosition(), 0);

    loadTimerSet(path.c_str(), ui.app, true);
    ASSERT_EQ(ui.table.rowCount(), 3);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(ui.table.readTimerRow(i).state, Paused) << i;
}

TEST_F(TimerSetFilesTest, RelativeNamesUseTheCurrentDirectory) {
    char previous[MAX_PATH];
    GetCurrentDirectoryA(sizeof previous, previous);
    ASSERT_TRUE(SetCurrentDirectoryA(folder.path().c_str()));
    addThreeTimers();
    EXPECT_TRUE(saveTimerSet("autosave.ini", ui.app));
    ui.table.deleteAllRows();
    loadTimerSet(".\\autosave.ini", ui.app, true);
    SetCurrentDirectoryA(previous);
    EXPECT_EQ(ui.table.rowCount(), 3);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"autosave.ini"});
}

TEST_F(TimerSetFilesTest, EmptyTableAndMissingFile) {
    std::string path = folder.file("autosave.ini");
    writeWholeFile(path, "\r\n[TIMER_0]\r\nDESCRIPTION = old\r\n");
    EXPECT_TRUE(saveTimerSet(path.c_str(), ui.app));
    EXPECT_EQ(readWholeFile(path), "");
    EXPECT_TRUE(ui.messages.empty());

    addThreeTimers();
    int writesBefore = ui.clockTextWrites();
    loadTimerSet(folder.file("missing.ini").c_str(), ui.app, true);
    EXPECT_EQ(ui.table.rowCount(), 0);
    EXPECT_EQ(ui.table.findSelectedRow(), -1);
    EXPECT_EQ(ui.clockTextWrites(), writesBefore) << "nothing loaded, so the clock is not refreshed";
}

TEST_F(TimerSetFilesTest, ReadOnlyTargetFailsOnceAndKeepsTheOldFile) {
    std::string path = folder.file("locked.ini");
    const std::string old = "\r\n[TIMER_0]\r\nDESCRIPTION = keep me\r\n";
    writeWholeFile(path, old);
    ASSERT_TRUE(SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_READONLY));
    addThreeTimers();

    EXPECT_FALSE(saveTimerSet(path.c_str(), ui.app));
    expectOneSaveError();
    EXPECT_EQ(readWholeFile(path), old);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"locked.ini"});

    ui.table.deleteAllRows();  // an empty table fails the same way
    EXPECT_FALSE(saveTimerSet(path.c_str(), ui.app));
    expectOneSaveError();
    EXPECT_EQ(readWholeFile(path), old);
}

TEST_F(TimerSetFilesTest, FailedReplaceLeavesTheOldFileWholeAndNoTemporaryFile) {
    std::string path = folder.file("busy.ini");
    const std::string old = "\r\n[TIMER_0]\r\nDESCRIPTION = still here\r\n";
    writeWholeFile(path, old);
    // Another program holds the file open without letting it be replaced:
    // the new text is written aside, and then the move fails.
    HANDLE holder = CreateFileA(path.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    addThreeTimers();
    bool saved = saveTimerSet(path.c_str(), ui.app);
    CloseHandle(holder);

    EXPECT_FALSE(saved);
    expectOneSaveError();
    EXPECT_EQ(readWholeFile(path), old);
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"busy.ini"});
}

TEST_F(TimerSetFilesTest, TemporaryFileOfAKilledSaveIsTakenOverByTheNextSave) {
    std::string path = folder.file("set.ini");
    writeWholeFile(path, "\r\n[TIMER_0]\r\nDESCRIPTION = old\r\n");
    // Longer than the new text, so a leftover tail would show.
    writeWholeFile(path + ".tmp", std::string(200000, 'k'));
    addThreeTimers();
    EXPECT_TRUE(saveTimerSet(path.c_str(), ui.app));
    EXPECT_TRUE(ui.messages.empty());
    EXPECT_EQ(readWholeFile(path), expectedText());
    EXPECT_EQ(folder.fileNames(), std::vector<std::string>{"set.ini"});
}

TEST_F(TimerSetFilesTest, SaveIntoAMissingFolderFails) {
    addThreeTimers();
    EXPECT_FALSE(saveTimerSet(folder.file("no such folder\\set.ini").c_str(), ui.app));
    expectOneSaveError();
    EXPECT_TRUE(folder.fileNames().empty());
}

// The damaged files from disk into the real list view: each loads what the
// reading rules make of it, with no crash and in reasonable time (the limit
// is only there to catch a reader gone quadratic; the times are printed).
TEST_F(TimerSetFilesTest, HandMadeBadFilesLoadThroughTheRealList) {
    std::string path = folder.file("bad.ini");
    for (const BadTimerSet& bad : badTimerSets()) {
        SCOPED_TRACE(bad.name);
        writeWholeFile(path, bad.text);
        ASSERT_EQ(readWholeFile(path).size(), bad.text.size());
        auto start = std::chrono::steady_clock::now();
        loadTimerSet(path.c_str(), ui.app, true);
        double ms = std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count();
        const int rows = ui.table.rowCount();
        std::printf("  %-44s %9zu bytes  %3d timers  %8.1f ms\n", bad.name.c_str(), bad.text.size(), rows, ms);
        EXPECT_LT(ms, 60000.0);
        if (bad.timers < 0) {
            EXPECT_LE(rows, 100);
            continue;
        }
        ASSERT_EQ(rows, bad.timers);
        if (rows == 0) continue;
        EXPECT_EQ(ui.table.readTimerRow(0).description, bad.firstDescription);
        EXPECT_EQ(ui.table.readTimerRow(rows - 1).description, bad.lastDescription);
        EXPECT_EQ(ui.table.findSelectedRow(), 0);
    }
    EXPECT_TRUE(ui.messages.empty()) << "reading reports nothing";
}
