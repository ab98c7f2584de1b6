#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "memory_list_control.h"
#include "timers/field_text.h"
#include "timers/timer_table.h"

namespace {
TimerRecord fullRecord() {
    TimerRecord r;
    r.state = Paused;
    r.timeCurrent = {0, 10, 0};
    r.timeSet = {1, 0, 0};
    r.timeLeft = {0, 50, 0};
    std::strcpy(r.description, "Tea");
    r.actionType = RunProgram;
    std::strcpy(r.fileName, "C:\\tools\\notify.exe");
    std::strcpy(r.parameters, "--loud \"x y\"");
    r.runTimer = Top;
    r.flags = skipTick | 8;
    r.limit = 1;
    std::strcpy(r.unit, "minute");
    r.coastInt = 12;
    std::strcpy(r.coastFrac, "05");
    r.forValue = 15;
    return r;
}

void expectSameRecord(const TimerRecord& a, const TimerRecord& b) {
    EXPECT_EQ(a.state, b.state);
    EXPECT_EQ(formatTimeText(a.timeCurrent), formatTimeText(b.timeCurrent));
    EXPECT_EQ(formatTimeText(a.timeLeft), formatTimeText(b.timeLeft));
    EXPECT_EQ(formatTimeText(a.timeSet), formatTimeText(b.timeSet));
    EXPECT_STREQ(a.description, b.description);
    EXPECT_EQ(a.actionType, b.actionType);
    EXPECT_STREQ(a.fileName, b.fileName);
    EXPECT_STREQ(a.parameters, b.parameters);
    EXPECT_EQ(a.runTimer, b.runTimer);
    EXPECT_EQ(a.flags, b.flags);
    EXPECT_EQ(a.limit, b.limit);
    EXPECT_STREQ(a.unit, b.unit);
    EXPECT_EQ(a.coastInt, b.coastInt);
    EXPECT_STREQ(a.coastFrac, b.coastFrac);
    EXPECT_EQ(a.forValue, b.forValue);
}

class TimerTableTest : public ::testing::Test {
protected:
    MemoryListControl list;
    TimerTable table{list};
};
}  // namespace

TEST_F(TimerTableTest, FullRecordRoundTripsThroughTheColumns) {
    TimerRecord r = fullRecord();
    table.writeTimerRow(-1, r);
    expectSameRecord(table.readTimerRow(0), r);
    // 10 minutes elapsed at 12.05 per 15 minutes: no period completed yet.
    EXPECT_EQ(list.cellText(0, ColumnSum), "0.00");
}

TEST_F(TimerTableTest, AppendCreatesUnselectedRowAtTheEnd) {
    table.writeTimerRow(-1, fullRecord());
    table.selectRow(0);
    table.writeTimerRow(-1, fullRecord());
    EXPECT_EQ(table.rowCount(), 2);
    EXPECT_FALSE(list.isSelected(1));
    EXPECT_FALSE(list.isFocused(1));
    EXPECT_EQ(table.findSelectedRow(), 0);
}

TEST_F(TimerTableTest, UnlimitedTimerKeepsNoSetOrLeftTime) {
    TimerRecord r = fullRecord();
    r.limit = 0;
    table.writeTimerRow(-1, r);
    EXPECT_EQ(list.cellText(0, ColumnTimeLeft), "");
    EXPECT_EQ(list.cellText(0, ColumnTimeSet), "");
    TimerRecord back = table.readTimerRow(0);
    EXPECT_TRUE(isZeroTime(back.timeSet));
    EXPECT_TRUE(isZeroTime(back.timeLeft));
}

TEST_F(TimerTableTest, TimeLeftIsAlwaysRecomputed) {
    TimerRecord r = fullRecord();
    r.timeLeft = {7, 7, 7};
    table.writeTimerRow(-1, r);
    EXPECT_EQ(list.cellText(0, ColumnTimeLeft), "00:50:00");
}

TEST_F(TimerTableTest, HundredHoursIsWrittenButReadsBackAsZero) {
    TimerRecord r = fullRecord();
    r.limit = 0;
    r.timeCurrent = {100, 0, 0};
    table.writeTimerRow(-1, r);
    EXPECT_EQ(list.cellText(0, ColumnTimeCurrent), "100:00:00");
    EXPECT_TRUE(isZeroTime(table.readTimerRow(0).timeCurrent));
}

TEST_F(TimerTableTest, StateIsTheRowImage) {
    TimerRecord r = fullRecord();
    r.state = Finished;
    table.writeTimerRow(-1, r);
    EXPECT_EQ(list.rowImage(0), 2);
    EXPECT_EQ(table.readTimerRow(0).state, Finished);
}

TEST_F(TimerTableTest, RewriteInPlaceAndOutOfRangeIndexChangesNothing) {
    table.writeTimerRow(-1, fullRecord());
    TimerRecord other = fullRecord();
    std::strcpy(other.description, "Coffee");
    table.writeTimerRow(0, other);
    table.writeTimerRow(5, other);
    table.writeTimerRow(-2, other);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_STREQ(table.readTimerRow(0).description, "Coffee");
}

TEST_F(TimerTableTest, LongTextsAreCutToTheirFields) {
    list.insertRow(0);
    list.setCellText(0, ColumnDescription, std::string(300, 'd').c_str());
    list.setCellText(0, ColumnCoastFrac, "12345");
    list.setCellText(0, ColumnLimit, "  -3x");
    TimerRecord r = table.readTimerRow(0);
    EXPECT_EQ(std::strlen(r.description), 259u);
    EXPECT_STREQ(r.coastFrac, "12");
    EXPECT_EQ(r.limit, -3);

    TimerRecord wide = fullRecord();
    std::strncpy(wide.coastFrac, "987", sizeof wide.coastFrac);  // the field holds 3
    table.writeTimerRow(0, wide);
    EXPECT_EQ(list.cellText(0, ColumnCoastFrac), "98");
}

TEST_F(TimerTableTest, CutNeverSplitsAUtf8Character) {
    setFieldTextEncoding(TextEncoding::Utf8);
    // 258 ASCII bytes then a two-byte letter: it would straddle the 259 cut.
    std::string text(258, 'a');
    text += "\xC3\xA9";
    list.insertRow(0);
    list.setCellText(0, ColumnDescription, text.c_str());
    list.setCellText(0, ColumnCoastFrac, "5\xE2\x82\xAC");  // "5€"
    TimerRecord r = table.readTimerRow(0);
    EXPECT_EQ(std::string(r.description), std::string(258, 'a'));
    EXPECT_STREQ(r.coastFrac, "5");

    std::string exact(257, 'b');
    exact += "\xC3\xA9";  // ends exactly at 259 bytes: kept whole
    list.setCellText(0, ColumnDescription, exact.c_str());
    EXPECT_EQ(std::string(table.readTimerRow(0).description), exact);
}

TEST_F(TimerTableTest, SingleByteCodePageCutsAtTheByte) {
    setFieldTextEncoding(TextEncoding::SingleByte);
    std::string text(258, 'a');
    text += "\xC3\xA9";
    list.insertRow(0);
    list.setCellText(0, ColumnDescription, text.c_str());
    EXPECT_EQ(std::strlen(table.readTimerRow(0).description), 259u);
    setFieldTextEncoding(TextEncoding::Utf8);
}

TEST_F(TimerTableTest, ReadRebuildsEveryField) {
    list.insertRow(0);  // an empty row: every field must come back zero or empty
    TimerRecord r = table.readTimerRow(0);
    expectSameRecord(r, TimerRecord{});
}

TEST_F(TimerTableTest, SelectedRowMustBeBothSelectedAndFocused) {
    for (int i = 0; i < 3; ++i) table.writeTimerRow(-1, fullRecord());
    EXPECT_EQ(table.findSelectedRow(), -1);
    list.setFocusOnly(1);
    EXPECT_EQ(table.findSelectedRow(), -1);
    table.selectRow(2);
    EXPECT_EQ(table.findSelectedRow(), 2);
    table.selectRow(0);
    EXPECT_EQ(table.findSelectedRow(), 0);
    EXPECT_FALSE(list.isSelected(2));
}

TEST_F(TimerTableTest, RewriteSetsOnlyTheCellsAndImageThatDiffer) {
    TimerRecord r = fullRecord();
    table.writeTimerRow(-1, r);
    int cells = list.cellWrites(), images = list.imageWrites();

    table.writeTimerRow(0, table.readTimerRow(0));  // what a tick does to a paused row
    EXPECT_EQ(list.cellWrites(), cells);
    EXPECT_EQ(list.imageWrites(), images);

    // One second on: only the elapsed and the left time change.
    r.timeCurrent = {0, 10, 1};
    table.writeTimerRow(0, r);
    EXPECT_EQ(list.cellWrites(), cells + 2);
    EXPECT_EQ(list.imageWrites(), images);
    EXPECT_EQ(list.cellText(0, ColumnTimeCurrent), "00:10:01");
    EXPECT_EQ(list.cellText(0, ColumnTimeLeft), "00:49:59");

    r.state = Running;
    table.writeTimerRow(0, r);
    EXPECT_EQ(list.cellWrites(), cells + 2);
    EXPECT_EQ(list.imageWrites(), images + 1);
    computeTimeLeft(r);
    expectSameRecord(table.readTimerRow(0), r);
}

TEST_F(TimerTableTest, CellsThatOnlyStartLikeTheFieldAreStillRewritten) {
    // A hand-set cell longer than its field reads back cut; writing that
    // record must store the cut text, not keep the long one.
    list.insertRow(0);
    std::string longText(300, 'd');
    list.setCellText(0, ColumnDescription, longText.c_str());
    list.setCellText(0, ColumnCoastFrac, "123");
    list.setCellText(0, ColumnFlags, "1x");
    table.writeTimerRow(0, table.readTimerRow(0));
    EXPECT_EQ(list.cellText(0, ColumnDescription), longText.substr(0, 259));
    EXPECT_EQ(list.cellText(0, ColumnCoastFrac), "12");
    EXPECT_EQ(list.cellText(0, ColumnFlags), "1");
}
