#include <gtest/gtest.h>
#include <windows.h>

#include <algorithm>
#include <cstring>
#include <string>
#include <vector>

#include "app/timer_set_dialogs.h"
#include "app/timer_sets.h"
#include "dialog_script.h"
#include "platform/list_view_control.h"
#include "res/resource.h"
#include "sets/set_names.h"
#include "temp_folder.h"
#include "timers/timer_table.h"
#include "window_fixture.h"

namespace {
using Strings = std::vector<std::string>;

bool pathExists(const std::string& path) { return GetFileAttributesA(path.c_str()) != INVALID_FILE_ATTRIBUTES; }

class TimerSetDialogsTest : public ::testing::Test {
protected:
    TempFolder folder;
    ListViewWindow window;
    ListViewControl list{window.list()};
    TimerTable table{list};
    AppState app = window.appState();
    MessageScript messages;
    DialogScript script;

    void addTimer(const char* description, TimerState state = Paused) {
        TimerRecord r;
        std::strcpy(r.description, description);
        r.state = state;
        r.timeCurrent = {0, 0, 42};
        table.writeTimerRow(-1, r);
    }
    Strings descriptions() const {
        Strings result;
        for (int row = 0; row < table.rowCount(); ++row) result.push_back(table.readTimerRow(row).description);
        return result;
    }
    // A saved set holding one timer per description; the table is left as it was.
    void makeSet(const char* name, const Strings& timers, TimerState state = Paused) {
        SourceTable saved(timers, state);
        CreateDirectoryA(setFolder, nullptr);
        ASSERT_TRUE(saveTimerSet(setPathForName(name).c_str(), saved.app));
    }
    void saveAs(const char* name) {
        script.then([name](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SET_NAME, name);
            clickButton(dialog, IDOK);
        });
        script.run([&] { runSaveSetDialog(app); });
    }

    // A second timer list of its own, to write saved sets from.
    struct SourceTable {
        ListViewWindow window;
        AppState app = window.appState();
        SourceTable(const Strings& timers, TimerState state) {
            ListViewControl list(window.list());
            TimerTable table(list);
            for (const std::string& d : timers) {
                TimerRecord r;
                std::strcpy(r.description, d.c_str());
                r.state = state;
                table.writeTimerRow(-1, r);
            }
        }
    };
};
}  // namespace

TEST_F(TimerSetDialogsTest, SaveRefusesAnEmptyTableBeforeItIsSeen) {
    script.run([&] { runSaveSetDialog(app); });

    EXPECT_EQ(script.stepsRun(), 0);
    EXPECT_FALSE(script.overran()) << "the refused dialog was shown";
    ASSERT_EQ(messages.texts(), Strings{"There are no items for save."});
    EXPECT_EQ(messages.shown()[0].style, static_cast<UINT>(MB_OK));
    EXPECT_STREQ(messages.shown()[0].caption.c_str(), "Horalet");
    EXPECT_FALSE(pathExists(setFolder));
}

TEST_F(TimerSetDialogsTest, SaveCreatesTheMissingFolderAndWritesTheSet) {
    addTimer("tea");
    addTimer("eggs", Running);

    saveAs("week");

    EXPECT_EQ(script.stepsRun(), 1);
    EXPECT_FALSE(script.overran());
    EXPECT_TRUE(messages.shown().empty());
    ASSERT_TRUE(pathExists(".\\Save\\week.ini"));
    table.deleteAllRows();
    loadTimerSet(".\\Save\\week.ini", app, false);
    EXPECT_EQ(descriptions(), (Strings{"tea", "eggs"}));
}

TEST_F(TimerSetDialogsTest, NamesAreTakenAsTypedBlanksIncluded) {
    addTimer("tea");
    saveAs("   ");
    EXPECT_TRUE(pathExists(".\\Save\\   .ini"));
    saveAs("week.ini");
    EXPECT_TRUE(pathExists(".\\Save\\week.ini.ini"));
    EXPECT_TRUE(messages.shown().empty());
}

// The longest name a save can take when run from `runFolder`, counted from
// the folder the test made itself: the writer's temporary file,
// <runFolder>\Save\<name>.ini.tmp, may have MAX_PATH - 1 characters at most.
std::size_t longestNameIn(const std::string& runFolder) {
    return MAX_PATH - 1 - (runFolder + "\\Save\\" + ".ini.tmp").size();
}

TEST_F(TimerSetDialogsTest, EmptyAndInvalidNamesKeepTheDialogOpenAndCreateNothing) {
    addTimer("tea");
    const std::string tooLong(longestNameIn(folder.path()) + 1, 'n');
    std::string keptName;
    script
        .then([](HWND dialog) { clickButton(dialog, IDOK); })
        .then([](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SET_NAME, "..\\escape");
            clickButton(dialog, IDOK);
        })
        .then([](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SET_NAME, "week:hidden");
            clickButton(dialog, IDOK);
        })
        .then([&](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SET_NAME, tooLong.c_str());
            clickButton(dialog, IDOK);
        })
        .then([&](HWND dialog) {
            keptName = controlText(dialog, IDC_SET_NAME);
            clickButton(dialog, IDCANCEL);
        });
    script.run([&] { runSaveSetDialog(app); });

    EXPECT_EQ(script.stepsRun(), 5);
    EXPECT_FALSE(script.overran());
    EXPECT_EQ(keptName, tooLong);
    ASSERT_EQ(messages.texts(),
              (Strings{"Please enter file name.", "Invalid file name.", "Invalid file name.", "Invalid file name."}));
    EXPECT_EQ(messages.shown()[0].style, static_cast<UINT>(MB_OK));
    EXPECT_EQ(messages.shown()[1].style, static_cast<UINT>(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_NE(messages.shown()[1].owner, app.hwndMain);  // the dialog owns its boxes
    EXPECT_FALSE(pathExists(setFolder));
    EXPECT_FALSE(pathExists("escape.ini"));
}

TEST_F(TimerSetDialogsTest, TheLongestNameThatFitsTheFolderSavesAndLoadsBack) {
    addTimer("tea");
    const std::string longest(longestNameIn(folder.path()), 'n');
    saveAs(longest.c_str());
    EXPECT_EQ(script.stepsRun(), 1);
    EXPECT_TRUE(messages.shown().empty());
    table.deleteAllRows();
    loadTimerSet(setPathForName(longest.c_str()).c_str(), app, false);
    EXPECT_EQ(descriptions(), Strings{"tea"});
}

TEST_F(TimerSetDialogsTest, AnExistingSetIsReplacedOnlyAfterYes) {
    makeSet("week", {"old"});
    addTimer("new");
    const std::string before = readWholeFile(".\\Save\\week.ini");
    messages.answer(IDNO);
    messages.answer(IDYES);
    std::string afterNo;
    std::string nameAfterNo;
    script
        .then([](HWND dialog) {
            SetDlgItemTextA(dialog, IDC_SET_NAME, "week");
            clickButton(dialog, IDOK);
        })
        .then([&](HWND dialog) {
            afterNo = readWholeFile(".\\Save\\week.ini");
            nameAfterNo = controlText(dialog, IDC_SET_NAME);
            clickButton(dialog, IDOK);
        });
    script.run([&] { runSaveSetDialog(app); });

    EXPECT_EQ(script.stepsRun(), 2);
    EXPECT_FALSE(script.overran());
    EXPECT_EQ(afterNo, before);
    EXPECT_EQ(nameAfterNo, "week");
    ASSERT_EQ(messages.shown().size(), 2u);
    for (const auto& box : messages.shown()) {
        EXPECT_EQ(box.text, "Warning. File already exist. Overwrite?");
        EXPECT_EQ(box.style, static_cast<UINT>(MB_YESNO | MB_ICONQUESTION | MB_DEFBUTTON2));
    }
    table.deleteAllRows();
    loadTimerSet(".\\Save\\week.ini", app, false);
    EXPECT_EQ(descriptions(), Strings{"new"});
}

TEST_F(TimerSetDialogsTest, ANameTheFileSystemRefusesEndsWithTheWritersError) {
    addTimer("tea");
    saveAs("a|b");
    EXPECT_EQ(script.stepsRun(), 1);
    EXPECT_FALSE(script.overran());  // the dialog closed
    EXPECT_EQ(messages.texts(), Strings{"Error operation of save!"});
}

TEST_F(TimerSetDialogsTest, LoadListsTheSetsSortedAndLoadsTheSelectedOne) {
    makeSet("week", {"monday", "tuesday"}, Running);
    makeSet("Alpha", {"first"});
    writeWholeFile(".\\Save\\notes.txt", "not a set");
    CreateDirectoryA(".\\Save\\folder.ini", nullptr);
    addTimer("current");

    Strings listed;
    int selectedAtStart = 0;
    script
        .then([&](HWND dialog) {
            listed = listBoxEntries(GetDlgItem(dialog, IDC_SET_LIST));
            selectedAtStart = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_GETCURSEL, 0, 0));
            SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            clickButton(dialog, IDOK);  // entries but none selected
        })
        .then([](HWND dialog) {
            SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_SELECTSTRING, static_cast<WPARAM>(-1),
                                reinterpret_cast<LPARAM>("week.ini"));
            clickButton(dialog, IDOK);
        });
    script.run([&] { runLoadSetDialog(app); });

    EXPECT_EQ(listed, (Strings{"Alpha.ini", "week.ini"}));
    EXPECT_EQ(selectedAtStart, 0);
    EXPECT_EQ(messages.texts(), Strings{"Please select a file."});
    EXPECT_EQ(messages.shown()[0].style, static_cast<UINT>(MB_OK));
    EXPECT_FALSE(script.overran());
    EXPECT_EQ(descriptions(), (Strings{"monday", "tuesday"}));
    EXPECT_EQ(table.readTimerRow(0).state, Running);  // the saved run state is kept
    EXPECT_EQ(table.findSelectedRow(), 0);
}

TEST_F(TimerSetDialogsTest, LoadWithoutSavedSetsClosesOnOkAndKeepsTheTable) {
    addTimer("current");
    Strings listed{"not read"};
    script.then([&](HWND dialog) {
        listed = listBoxEntries(GetDlgItem(dialog, IDC_SET_LIST));
        clickButton(dialog, IDOK);
    });
    script.run([&] { runLoadSetDialog(app); });

    EXPECT_TRUE(listed.empty());
    EXPECT_FALSE(script.overran());
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_EQ(descriptions(), Strings{"current"});
}

TEST_F(TimerSetDialogsTest, DeleteRemovesTheSelectedFileWithoutAQuestion) {
    makeSet("week", {"monday"});
    makeSet("Middle", {"noon"});
    makeSet("Alpha", {"first"});
    addTimer("current");
    Strings afterDelete;
    int selectedAfterDelete = 0;
    script
        .then([](HWND dialog) {  // nothing selected
            SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_SETCURSEL, static_cast<WPARAM>(-1), 0);
            clickButton(dialog, IDC_SET_DELETE);
        })
        .then([&](HWND dialog) {
            SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_SETCURSEL, 1, 0);
            clickButton(dialog, IDC_SET_DELETE);
            afterDelete = listBoxEntries(GetDlgItem(dialog, IDC_SET_LIST));
            selectedAfterDelete = static_cast<int>(SendDlgItemMessageA(dialog, IDC_SET_LIST, LB_GETCURSEL, 0, 0));
            clickButton(dialog, IDCANCEL);
        });
    script.run([&] { runLoadSetDialog(app); });

    EXPECT_EQ(script.stepsRun(), 2);
    EXPECT_TRUE(messages.shown().empty());
    EXPECT_FALSE(pathExists(".\\Save\\Middle.ini"));
    EXPECT_TRUE(pathExists(".\\Save\\Alpha.ini"));
    EXPECT_EQ(afterDelete, (Strings{"Alpha.ini", "week.ini"}));
    EXPECT_EQ(selectedAfterDelete, 1) << "the set after the deleted one takes its place";
    EXPECT_EQ(descriptions(), Strings{"current"});  // Cancel loads nothing
}

TEST_F(TimerSetDialogsTest, AFileThatCannotBeDeletedIsReportedAndStaysListed) {
    makeSet("held", {"kept"});
    makeSet("gone", {"vanished"});
    // Another program has the file open without letting it be deleted.
    HANDLE holder = CreateFileA(".\\Save\\held.ini", GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    Strings before, after;
    script.then([&](HWND dialog) {
        HWND listBox = GetDlgItem(dialog, IDC_SET_LIST);
        before = listBoxEntries(listBox);
        // Deleted behind the dialog's back after it was listed.
        DeleteFileA(".\\Save\\gone.ini");
        for (const char* name : {"gone.ini", "held.ini"}) {
            const LRESULT index = SendMessageA(listBox, LB_FINDSTRINGEXACT, static_cast<WPARAM>(-1),
                                               reinterpret_cast<LPARAM>(name));
            ASSERT_NE(index, LB_ERR) << name << " is not listed";
            SendMessageA(listBox, LB_SETCURSEL, index, 0);
            clickButton(dialog, IDC_SET_DELETE);
        }
        after = listBoxEntries(listBox);
        clickButton(dialog, IDCANCEL);
    });
    script.run([&] { runLoadSetDialog(app); });
    CloseHandle(holder);

    EXPECT_FALSE(script.overran());
    EXPECT_EQ(before, (Strings{"gone.ini", "held.ini"}));
    EXPECT_EQ(after, before);
    ASSERT_EQ(messages.shown().size(), 2u);
    for (const auto& box : messages.shown()) {
        EXPECT_EQ(box.text, "Error of delete file");
        EXPECT_EQ(box.style, static_cast<UINT>(MB_OK | MB_ICONERROR));
    }
    EXPECT_TRUE(pathExists(".\\Save\\held.ini"));
}

TEST_F(TimerSetDialogsTest, DoubleClickOnAnEntryLoadsIt) {
    makeSet("week", {"monday"});
    addTimer("current");
    script.then([](HWND dialog) {
        HWND listBox = GetDlgItem(dialog, IDC_SET_LIST);
        RECT item;
        SendMessageA(listBox, LB_GETITEMRECT, 0, reinterpret_cast<LPARAM>(&item));
        const LPARAM at = MAKELPARAM(item.left + 4, item.top + 2);
        SendMessageA(listBox, WM_LBUTTONDOWN, MK_LBUTTON, at);
        SendMessageA(listBox, WM_LBUTTONUP, 0, at);
        SendMessageA(listBox, WM_LBUTTONDBLCLK, MK_LBUTTON, at);
        SendMessageA(listBox, WM_LBUTTONUP, 0, at);
    });
    script.run([&] { runLoadSetDialog(app); });

    EXPECT_EQ(script.stepsRun(), 1);
    EXPECT_FALSE(script.overran());
    EXPECT_EQ(descriptions(), Strings{"monday"});
}

TEST_F(TimerSetDialogsTest, FileExistsFindsFilesFoldersAndPatterns) {
    CreateDirectoryA("Save", nullptr);
    writeWholeFile(".\\Save\\week.ini", "x");
    EXPECT_TRUE(fileExists(".\\Save\\week.ini"));
    EXPECT_TRUE(fileExists(".\\Save"));
    EXPECT_TRUE(fileExists(".\\Save\\w*.ini"));
    EXPECT_FALSE(fileExists(".\\Save\\month.ini"));
    EXPECT_FALSE(fileExists(".\\Missing\\week.ini"));
}
