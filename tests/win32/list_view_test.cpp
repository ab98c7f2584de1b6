#include <gtest/gtest.h>
#include <windows.h>
#include <commctrl.h>

#include <cstring>
#include <functional>
#include <string>

#include "platform/list_view_control.h"
#include "timers/field_text.h"
#include "timers/timer_table.h"
#include "window_fixture.h"

namespace {
TimerRecord sampleRecord() {
    TimerRecord r;
    r.state = Paused;
    r.timeCurrent = {0, 0, 7};
    r.timeSet = {0, 1, 0};
    std::strcpy(r.description, "Laundry \xE2\x80\x94 dryer");  // an em dash, in UTF-8
    r.actionType = RunProgram;
    std::strcpy(r.fileName, "notepad.exe");
    std::strcpy(r.parameters, "readme.txt");
    r.runTimer = Next;
    r.flags = skipTick;
    r.limit = 1;
    std::strcpy(r.unit, "hour");
    r.coastInt = 40;
    std::strcpy(r.coastFrac, "5");
    r.forValue = 1;
    return r;
}

class ListViewTest : public ::testing::Test {
protected:
    ListViewWindow window;
    ListViewControl list{window.list()};
    TimerTable table{list};
};

// Written out here, not read from the program's own column table: a change
// to that table must show up as a failure, not pass along with it.
const char* const expectedHeaders[timerColumnCount] = {
    "Time current", "Time left", "Time set", "Sum", "Description", "Action", "File name", "Parameters",
    "Run timer", "Flags", "Limit", "Coast integer part", "Coast fractal part", "For value", "Unit"};

// The headers, the widths (the five shown ones fitted, the ten hidden 0)
// and "Sum" alone right-aligned.
void expectColumns(HWND listView, const int (&givenWidths)[4]) {
    HWND header = reinterpret_cast<HWND>(SendMessageA(listView, LVM_GETHEADER, 0, 0));
    ASSERT_EQ(SendMessageA(header, HDM_GETITEMCOUNT, 0, 0), 15);
    for (int column = 0; column < 15; ++column) {
        char text[64] = {};
        LVCOLUMNA info = {};
        info.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT;
        info.pszText = text;
        info.cchTextMax = sizeof text;
        ASSERT_TRUE(SendMessageA(listView, LVM_GETCOLUMNA, column, reinterpret_cast<LPARAM>(&info)));
        EXPECT_STREQ(text, expectedHeaders[column]);
        if (column > ColumnDescription) {
            EXPECT_EQ(info.cx, 0) << expectedHeaders[column];
        }
        EXPECT_EQ(info.fmt & LVCFMT_JUSTIFYMASK, column == 3 ? LVCFMT_RIGHT : LVCFMT_LEFT) << expectedHeaders[column];
    }
    EXPECT_EQ(columnFitProblem(listView, givenWidths), "");
}
}  // namespace

TEST_F(ListViewTest, ColumnsHaveTheirHeadersWidthsAndAlignment) {
    expectColumns(window.list(), {75, 60, 60, 60});
    DWORD extended = static_cast<DWORD>(SendMessageA(window.list(), LVM_GETEXTENDEDLISTVIEWSTYLE, 0, 0));
    EXPECT_EQ(extended & 0x21u, 0x21u);
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(window.list(), LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    ASSERT_NE(images, nullptr);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
}

TEST_F(ListViewTest, AtAnotherDisplayScaleTheVisibleColumnsAndStateIconsScale) {
    HWND scaled = CreateWindowExA(0, WC_LISTVIEWA, "", WS_CHILD | LVS_REPORT, 0, 0, 600, 300, window.window(),
                                  nullptr, GetModuleHandleA(nullptr), nullptr);
    setUpTimerListView(scaled, GetModuleHandleA(nullptr), 144);
    expectColumns(scaled, {113, 90, 90, 90});
    HIMAGELIST images = reinterpret_cast<HIMAGELIST>(SendMessageA(scaled, LVM_GETIMAGELIST, LVSIL_SMALL, 0));
    int width = 0, height = 0;
    ImageList_GetIconSize(images, &width, &height);
    EXPECT_EQ(width, 24);
    EXPECT_EQ(height, 24);
    EXPECT_EQ(ImageList_GetImageCount(images), 3);
    DestroyWindow(scaled);
}

TEST_F(ListViewTest, TheDescriptionFollowsTheListsWidthAndTheHeadersTheirFont) {
    HWND listView = window.list();
    HFONT large = CreateFontA(-16, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "MS Shell Dlg");
    // What changes the list, whether a vertical scroll bar then takes some
    // of its width, and how wide the first column is meant to be (the
    // user's drag, where one came), its header's text needing more.
    const auto dragFirstColumn = [&](int width) {
        SendMessageA(listView, LVM_SETCOLUMNWIDTH, 0, MAKELPARAM(width, 0));
    };
    struct Change {
        const char* what;
        std::function<void()> make;
        bool verticalBar;
        int firstWidth;
    };
    const Change changes[] = {
        {"more rows than fit", [&] { for (int row = 0; row < 40; ++row) table.writeTimerRow(-1, sampleRecord()); }, true, 75},
        {"the rows gone again", [&] { table.deleteAllRows(); }, false, 75},
        {"the first column dragged wider", [&] { dragFirstColumn(150); }, false, 150},
        {"the first column dragged narrower", [&] { dragFirstColumn(100); }, false, 100},
        {"a larger font, as at a larger display scale", [&] { SendMessageA(listView, WM_SETFONT, reinterpret_cast<WPARAM>(large), TRUE); }, false, 100},
        {"a narrower list", [&] { SetWindowPos(listView, nullptr, 0, 0, 450, 300, SWP_NOMOVE | SWP_NOZORDER); }, false, 100},
    };
    for (const Change& change : changes) {
        SCOPED_TRACE(change.what);
        change.make();
        EXPECT_EQ((GetWindowLongA(listView, GWL_STYLE) & WS_VSCROLL) != 0, change.verticalBar);
        EXPECT_EQ(columnFitProblem(listView, {change.firstWidth, 60, 60, 60}), "");
    }
    DestroyWindow(listView);
    DeleteObject(large);
}

// The list repaints only the rows it changes, and the hint of an empty list
// lies below them: the first row coming and the last one going must have all
// of the list painted anew.
TEST_F(ListViewTest, TheFirstRowComingAndTheLastGoingRepaintTheWholeList) {
    ShowWindow(window.window(), SW_SHOWNOACTIVATE);
    RECT client;
    GetClientRect(window.list(), &client);
    const std::function<void()> changes[] = {[&] { table.writeTimerRow(-1, sampleRecord()); },
                                             [&] { table.deleteRow(0); }};
    for (const auto& change : changes) {
        ValidateRect(window.list(), nullptr);
        change();
        RECT repainted = {};
        GetUpdateRect(window.list(), &repainted, FALSE);
        EXPECT_TRUE(EqualRect(&repainted, &client)) << repainted.top << " to " << repainted.bottom;
    }
}

TEST_F(ListViewTest, RecordRoundTripsThroughTheRealControl) {
    TimerRecord r = sampleRecord();
    table.writeTimerRow(-1, r);
    TimerRecord back = table.readTimerRow(0);
    EXPECT_EQ(back.state, Paused);
    EXPECT_EQ(list.rowImage(0), 1);
    EXPECT_EQ(formatTimeText(back.timeCurrent), "00:00:07");
    EXPECT_EQ(formatTimeText(back.timeLeft), "00:00:53");
    EXPECT_EQ(formatTimeText(back.timeSet), "00:01:00");
    EXPECT_STREQ(back.description, r.description);
    EXPECT_EQ(back.actionType, RunProgram);
    EXPECT_STREQ(back.fileName, "notepad.exe");
    EXPECT_STREQ(back.parameters, "readme.txt");
    EXPECT_EQ(back.runTimer, Next);
    EXPECT_EQ(back.flags, skipTick);
    EXPECT_EQ(back.limit, 1);
    EXPECT_STREQ(back.unit, "hour");
    EXPECT_EQ(back.coastInt, 40);
    EXPECT_STREQ(back.coastFrac, "5");
    EXPECT_EQ(back.forValue, 1);
    EXPECT_EQ(list.cellText(0, ColumnSum), "0.00");
}

TEST_F(ListViewTest, UnlimitedTimerShowsEmptyTimeColumnsAndLongElapsedTime) {
    TimerRecord r = sampleRecord();
    r.limit = 0;
    r.timeCurrent = {100, 0, 0};
    table.writeTimerRow(-1, r);
    EXPECT_EQ(list.cellText(0, ColumnTimeLeft), "");
    EXPECT_EQ(list.cellText(0, ColumnTimeSet), "");
    EXPECT_EQ(list.cellText(0, ColumnTimeCurrent), "100:00:00");
    // 100 hours at 40.5 per hour.
    EXPECT_EQ(list.cellText(0, ColumnSum), "4050.00");
    EXPECT_TRUE(isZeroTime(table.readTimerRow(0).timeCurrent));
}

TEST_F(ListViewTest, LongTextsAreCutToTheirFields) {
    TimerRecord r = sampleRecord();
    std::memset(r.description, 'x', 259);
    r.description[259] = '\0';
    std::memset(r.coastFrac, '9', 3);
    r.coastFrac[3] = '\0';
    table.writeTimerRow(-1, r);
    TimerRecord back = table.readTimerRow(0);
    EXPECT_EQ(std::strlen(back.description), 259u);
    EXPECT_STREQ(back.coastFrac, "99");

    // A cell longer than a field (as a foreign tool could leave) is cut at a
    // character boundary, not inside the UTF-8 em dash.
    std::string cell(257, 'y');
    cell += "\xE2\x80\x94";
    list.setCellText(0, ColumnDescription, cell.c_str());
    EXPECT_EQ(std::string(table.readTimerRow(0).description), std::string(257, 'y'));
}

TEST_F(ListViewTest, SelectionNeedsBothStatesAndIsSingle) {
    for (int i = 0; i < 3; ++i) table.writeTimerRow(-1, sampleRecord());
    EXPECT_EQ(table.findSelectedRow(), -1);
    table.selectRow(2);
    EXPECT_EQ(table.findSelectedRow(), 2);
    table.selectRow(1);
    EXPECT_EQ(table.findSelectedRow(), 1);
    EXPECT_EQ(SendMessageA(window.list(), LVM_GETSELECTEDCOUNT, 0, 0), 1);
    table.writeTimerRow(-1, sampleRecord());
    EXPECT_EQ(table.findSelectedRow(), 1);
}
