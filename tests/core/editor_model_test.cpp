#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <string>

#include "editor/editor_model.h"
#include "memory_list_control.h"
#include "res/resource.h"
#include "timers/field_text.h"

namespace {
// What a new timer shows when nothing is changed but the given fields.
EditorFields plainFields() {
    EditorFields fields;
    fields.hours = "0";
    fields.minutes = "0";
    fields.seconds = "0";
    fields.playWave = true;
    fields.wavePath = defaultWavePath;
    fields.chainOff = true;
    fields.coastInt = "0";
    fields.forValue = "0";
    fields.unitItem = 0;
    return fields;
}

EditorProblem checkFields(const EditorFields& fields) { return checkEditedRecord(fieldsToRecord(fields)); }

EditorFields withTime(const char* hours, const char* minutes, const char* seconds, bool limit) {
    EditorFields fields = plainFields();
    fields.hours = hours;
    fields.minutes = minutes;
    fields.seconds = seconds;
    fields.limit = limit;
    return fields;
}

EditorFields withPrice(const char* coastInt, const char* coastFrac, const char* forValue) {
    EditorFields fields = plainFields();
    fields.coastInt = coastInt;
    fields.coastFrac = coastFrac;
    fields.forValue = forValue;
    return fields;
}

TimerRecord finishedProgramTimer() {
    TimerRecord r;
    r.state = Finished;
    r.timeCurrent = {0, 10, 0};
    r.timeSet = {1, 2, 3};
    std::strcpy(r.description, "Backup");
    r.actionType = RunProgram;
    std::strcpy(r.fileName, "C:\\tools\\backup.exe");
    std::strcpy(r.parameters, "/all");
    r.runTimer = Top;
    r.flags = skipTick | 4;
    r.limit = 1;
    std::strcpy(r.unit, "hour");
    r.coastInt = 12;
    std::strcpy(r.coastFrac, "05");
    r.forValue = 3;
    return r;
}

bool isEnabled(const std::vector<ControlEnabling>& rules, int id) {
    auto rule = std::find_if(rules.begin(), rules.end(), [id](const ControlEnabling& c) { return c.controlId == id; });
    return rule == rules.end() || rule->enabled;  // controls without a rule are never disabled
}
}  // namespace

TEST(EditorUnitList, PrefixOfAnItemSelectsItWhateverTheCase) {
    EXPECT_EQ(findUnitItem("minute"), 1);
    EXPECT_EQ(findUnitItem("Minute"), 1);
    EXPECT_EQ(findUnitItem("M"), 1);
    EXPECT_EQ(findUnitItem("m"), 1);
    EXPECT_EQ(findUnitItem("H"), 2);
    EXPECT_EQ(findUnitItem("HOUR"), 2);
    EXPECT_EQ(findUnitItem("sec"), 0);
}

TEST(EditorUnitList, AnythingElseFallsBackToSecond) {
    EXPECT_EQ(findUnitItem(""), 0);
    EXPECT_EQ(findUnitItem("minutes"), 0);  // longer than the item: no item begins with it
    EXPECT_EQ(findUnitItem("day"), 0);
    EXPECT_EQ(findUnitItem(nullptr), 0);
    EXPECT_STREQ(unitItemText(-1), "second");
    EXPECT_STREQ(unitItemText(3), "second");
    EXPECT_STREQ(unitItemText(2), "hour");
}

TEST(EditorFieldsMapping, ProgramTimerShowsItsPathsAndAFinishedTimerShowsPaused) {
    EditorFields fields = recordToFields(finishedProgramTimer());
    EXPECT_EQ(fields.hours, "1");
    EXPECT_EQ(fields.minutes, "2");
    EXPECT_EQ(fields.seconds, "3");
    EXPECT_TRUE(fields.runProgram);
    EXPECT_FALSE(fields.playWave);
    EXPECT_EQ(fields.programPath, "C:\\tools\\backup.exe");
    EXPECT_EQ(fields.parameters, "/all");
    EXPECT_EQ(fields.wavePath, "");
    EXPECT_TRUE(fields.chainTop);
    EXPECT_FALSE(fields.chainOff || fields.chainNext);
    EXPECT_TRUE(fields.pause);
    EXPECT_TRUE(fields.limit);
    EXPECT_EQ(fields.coastFrac, "05");
    EXPECT_EQ(fields.unitItem, 2);
}

TEST(EditorFieldsMapping, CodesOutsideTheirRangeCheckNoButton) {
    TimerRecord r;
    r.actionType = 7;
    r.runTimer = 3;
    std::strcpy(r.fileName, "chime.wav");
    EditorFields fields = recordToFields(r);
    EXPECT_FALSE(fields.playWave || fields.runProgram);
    EXPECT_EQ(fields.wavePath, "chime.wav");
    EXPECT_FALSE(fields.chainOff || fields.chainNext || fields.chainTop);
}

TEST(EditorFieldsMapping, RecordSurvivesTheEditor) {
    TimerRecord original = finishedProgramTimer();
    TimerRecord back = fieldsToRecord(recordToFields(original));
    EXPECT_EQ(formatTimeText(back.timeSet), "01:02:03");
    EXPECT_TRUE(isZeroTime(back.timeCurrent));
    EXPECT_EQ(back.flags, 0);
    EXPECT_EQ(back.state, Paused);  // the finished timer comes back paused
    EXPECT_STREQ(back.description, "Backup");
    EXPECT_EQ(back.actionType, RunProgram);
    EXPECT_STREQ(back.fileName, original.fileName);
    EXPECT_STREQ(back.parameters, "/all");
    EXPECT_EQ(back.runTimer, Top);
    EXPECT_EQ(back.limit, 1);
    EXPECT_STREQ(back.unit, "hour");
    EXPECT_EQ(back.coastInt, 12);
    EXPECT_STREQ(back.coastFrac, "05");
    EXPECT_EQ(back.forValue, 3);
}

TEST(EditorFieldsMapping, OnlyTheCheckedActionsPathsAreKept) {
    EditorFields fields = plainFields();
    fields.programPath = "notepad.exe";
    fields.parameters = "todo.txt";
    TimerRecord wave = fieldsToRecord(fields);
    EXPECT_EQ(wave.actionType, PlayWave);
    EXPECT_STREQ(wave.fileName, defaultWavePath);
    EXPECT_STREQ(wave.parameters, "");

    fields.playWave = false;
    fields.runProgram = true;
    TimerRecord program = fieldsToRecord(fields);
    EXPECT_EQ(program.actionType, RunProgram);
    EXPECT_STREQ(program.fileName, "notepad.exe");
    EXPECT_STREQ(program.parameters, "todo.txt");
}

TEST(EditorFieldsMapping, ChainAndUnitFromTheButtons) {
    EditorFields fields = plainFields();
    fields.chainOff = false;
    fields.chainNext = true;
    EXPECT_EQ(fieldsToRecord(fields).runTimer, Next);
    fields.chainNext = false;
    EXPECT_EQ(fieldsToRecord(fields).runTimer, Off);  // nothing checked

    fields.unitItem = 1;
    EXPECT_STREQ(fieldsToRecord(fields).unit, "minute");
    fields.unitItem = -1;  // nothing selected
    EXPECT_STREQ(fieldsToRecord(fields).unit, "second");
}

TEST(EditorFieldsMapping, NumbersReadAsUnsignedDigits) {
    EXPECT_EQ(readUnsignedField(""), 0u);
    EXPECT_EQ(readUnsignedField("  42"), 42u);
    EXPECT_EQ(readUnsignedField("12ab"), 12u);
    EXPECT_EQ(readUnsignedField("x12"), 0u);
    EXPECT_EQ(readUnsignedField("-5"), 0u);
    EXPECT_EQ(readUnsignedField("4294967295"), 4294967295u);
    // Past the top it stays at the top instead of wrapping to a small number.
    EXPECT_EQ(readUnsignedField("4294967296"), 4294967295u);
    EXPECT_EQ(readUnsignedField("99999999999999999999999"), 4294967295u);
}

TEST(EditorFieldsMapping, LongTextsAreCutToTheirFieldsOnACharacterBoundary) {
    setFieldTextEncoding(TextEncoding::Utf8);
    EditorFields fields = plainFields();
    fields.description = std::string(300, 'd');
    fields.wavePath = std::string(258, 'w') + "\xC3\xA9";  // an e acute would end past byte 259
    fields.coastFrac = "123";
    TimerRecord r = fieldsToRecord(fields);
    EXPECT_EQ(std::string(r.description), std::string(259, 'd'));
    EXPECT_EQ(std::string(r.fileName), std::string(258, 'w'));
    EXPECT_STREQ(r.coastFrac, "123");  // the field holds 3; the table keeps 2
}

TEST(EditorChecks, TimeLimitsHoldWhetherTheLimitIsOnOrOff) {
    EXPECT_EQ(checkFields(withTime("99", "59", "59", true)), EditorProblem::None);
    EXPECT_EQ(checkFields(withTime("0", "60", "0", false)), EditorProblem::InvalidTime);
    EXPECT_EQ(checkFields(withTime("0", "0", "60", true)), EditorProblem::InvalidTime);
    EXPECT_EQ(checkFields(withTime("100", "0", "0", false)), EditorProblem::InvalidTime);
    // Digits beyond 32 bits must not wrap round to an accepted time.
    EXPECT_EQ(checkFields(withTime("4294967296", "0", "1", true)), EditorProblem::InvalidTime);
}

TEST(EditorChecks, ZeroTimeNeedsTheLimitOff) {
    EXPECT_EQ(checkFields(withTime("0", "0", "0", true)), EditorProblem::NoTimeSet);
    EXPECT_EQ(checkFields(withTime("", "", "", true)), EditorProblem::NoTimeSet);
    EXPECT_EQ(checkFields(withTime("0", "0", "0", false)), EditorProblem::None);
    EXPECT_EQ(checkFields(withTime("0", "0", "1", true)), EditorProblem::None);
}

TEST(EditorChecks, ForValueMattersOnlyWithAPrice) {
    EXPECT_EQ(checkFields(withPrice("0", "", "0")), EditorProblem::None);
    EXPECT_EQ(checkFields(withPrice("0", "00", "0")), EditorProblem::None);
    EXPECT_EQ(checkFields(withPrice("0", "5", "0")), EditorProblem::InvalidForValue);
    EXPECT_EQ(checkFields(withPrice("0", "5", "1")), EditorProblem::None);
    EXPECT_EQ(checkFields(withPrice("0", "5", "59")), EditorProblem::None);
    EXPECT_EQ(checkFields(withPrice("0", "5", "60")), EditorProblem::InvalidForValue);
    EXPECT_EQ(checkFields(withPrice("3", "", "")), EditorProblem::InvalidForValue);
}

TEST(EditorChecks, PriceMustFitASigned32BitNumber) {
    EXPECT_EQ(checkFields(withPrice("2147483647", "99", "1")), EditorProblem::None);
    EXPECT_EQ(fieldsToRecord(withPrice("2147483647", "", "1")).coastInt, 2147483647);
    EXPECT_EQ(checkFields(withPrice("2147483648", "", "1")), EditorProblem::InvalidCoast);
    EXPECT_EQ(checkFields(withPrice("4294967295", "", "1")), EditorProblem::InvalidCoast);
    // 2^32 would read as 0 if the digits wrapped, and pass as a free timer.
    EXPECT_EQ(checkFields(withPrice("4294967296", "", "0")), EditorProblem::InvalidCoast);
    EXPECT_EQ(checkFields(withPrice("99999999999999", "", "0")), EditorProblem::InvalidCoast);

    // A negative price from a hand-edited file shows as a huge number and is
    // refused, so it cannot be stored again as it is.
    TimerRecord negative;
    negative.coastInt = -5;
    EXPECT_EQ(checkFields(recordToFields(negative)), EditorProblem::InvalidCoast);
}

TEST(EditorChecks, FirstFailingCheckWins) {
    EditorFields fields = withTime("0", "60", "0", true);
    fields.coastInt = "2147483648";
    EXPECT_EQ(checkFields(fields), EditorProblem::InvalidTime);
    fields.minutes = "0";
    EXPECT_EQ(checkFields(fields), EditorProblem::InvalidCoast);
    fields.coastInt = "1";
    EXPECT_EQ(checkFields(fields), EditorProblem::NoTimeSet);
    fields.seconds = "5";
    EXPECT_EQ(checkFields(fields), EditorProblem::InvalidForValue);
    fields.forValue = "1";
    EXPECT_EQ(checkFields(fields), EditorProblem::None);
}

TEST(EditorEnabling, LimitAndActionSwitchTheirControls) {
    auto off = editorEnabling(false, true);
    for (int id : {IDC_EDITOR_HOURS, IDC_EDITOR_SECONDS_SPIN, IDC_EDITOR_TIME_SET_GROUP, IDC_EDITOR_CHAIN_TOP,
                   IDC_EDITOR_PLAY_WAVE, IDC_EDITOR_RUN_PROGRAM, IDC_EDITOR_WAVE_PATH, IDC_EDITOR_BROWSE_PROGRAM}) {
        EXPECT_FALSE(isEnabled(off, id)) << id;
    }
    auto wave = editorEnabling(true, true);
    EXPECT_TRUE(isEnabled(wave, IDC_EDITOR_MINUTES));
    EXPECT_TRUE(isEnabled(wave, IDC_EDITOR_CHAIN_NEXT));
    EXPECT_TRUE(isEnabled(wave, IDC_EDITOR_WAVE_PATH));
    EXPECT_TRUE(isEnabled(wave, IDC_EDITOR_BROWSE_WAVE));
    EXPECT_TRUE(isEnabled(wave, IDC_EDITOR_REPEAT_SOUND));
    EXPECT_FALSE(isEnabled(wave, IDC_EDITOR_PROGRAM_PATH));
    EXPECT_FALSE(isEnabled(wave, IDC_EDITOR_PARAMETERS_LABEL));
    EXPECT_FALSE(isEnabled(wave, IDC_EDITOR_PARAMETERS));

    auto program = editorEnabling(true, false);
    EXPECT_FALSE(isEnabled(program, IDC_EDITOR_WAVE_PATH));
    EXPECT_FALSE(isEnabled(program, IDC_EDITOR_BROWSE_WAVE));
    EXPECT_FALSE(isEnabled(program, IDC_EDITOR_REPEAT_SOUND));
    EXPECT_TRUE(isEnabled(program, IDC_EDITOR_PROGRAM_PATH));
    EXPECT_TRUE(isEnabled(program, IDC_EDITOR_BROWSE_PROGRAM));
    EXPECT_TRUE(isEnabled(program, IDC_EDITOR_PARAMETERS));
}

TEST(EditorEnabling, DescriptionBoxesAndPriceAreNeverSwitched) {
    for (bool limit : {false, true}) {
        auto rules = editorEnabling(limit, false);
        for (int id : {IDC_EDITOR_DESCRIPTION, IDC_EDITOR_PAUSE, IDC_EDITOR_LIMIT, IDC_EDITOR_COAST_INT,
                       IDC_EDITOR_COAST_FRAC, IDC_EDITOR_FOR_VALUE, IDC_EDITOR_UNIT, IDC_EDITOR_SUM_GROUP, 1, 2}) {
            EXPECT_TRUE(isEnabled(rules, id)) << id;
        }
    }
}

class EditorTableTest : public ::testing::Test {
protected:
    MemoryListControl list;
    TimerTable table{list};

    void fill(int rows) {
        for (int i = 0; i < rows; ++i) table.writeTimerRow(-1, finishedProgramTimer());
    }
};

TEST_F(EditorTableTest, AddIsRefusedFromTheHundredthRowOnEditIsNot) {
    fill(maxTimers - 1);
    EditorOpening opening = openEditor(table, true);
    EXPECT_EQ(opening.problem, EditorProblem::None);
    EXPECT_STREQ(opening.record.fileName, ".\\wave files\\reminder.wav");
    fill(1);
    EXPECT_EQ(openEditor(table, true).problem, EditorProblem::TableFull);
    // An editor opened before the list filled up stores nothing.
    EXPECT_EQ(storeEditedTimer(table, -1, fieldsToRecord(plainFields())), EditorProblem::TableFull);
    EXPECT_EQ(table.rowCount(), maxTimers);

    EXPECT_EQ(openEditor(table, false).problem, EditorProblem::NothingSelected);
    list.setFocusOnly(3);
    EXPECT_EQ(openEditor(table, false).problem, EditorProblem::NothingSelected);
    table.selectRow(99);
    opening = openEditor(table, false);
    EXPECT_EQ(opening.problem, EditorProblem::None);
    EXPECT_EQ(opening.row, 99);
    EXPECT_STREQ(opening.record.description, "Backup");
}

TEST_F(EditorTableTest, StoredTimerStartsAfreshWithSkipTickAlone) {
    fill(2);
    TimerRecord edited = table.readTimerRow(1);  // 00:10:00 elapsed, flags with another bit
    ASSERT_EQ(storeEditedTimer(table, 1, edited), EditorProblem::None);
    TimerRecord stored = table.readTimerRow(1);
    EXPECT_EQ(formatTimeText(stored.timeCurrent), "00:00:00");
    EXPECT_EQ(stored.flags, skipTick);
    // The repeating sound is the editor's own bit: its box sets it, and the
    // stored timer keeps it beside the skip.
    for (const bool repeat : {true, false}) {
        EditorFields fields = recordToFields(table.readTimerRow(1));
        EXPECT_FALSE(fields.repeatSound);
        fields.repeatSound = repeat;
        ASSERT_EQ(storeEditedTimer(table, 1, fieldsToRecord(fields)), EditorProblem::None);
        EXPECT_EQ(table.readTimerRow(1).flags, repeat ? skipTick | repeatSound : skipTick) << repeat;
        EXPECT_EQ(recordToFields(table.readTimerRow(1)).repeatSound, repeat);
        ASSERT_EQ(storeEditedTimer(table, 1, fieldsToRecord(recordToFields(stored))), EditorProblem::None);
    }
    EXPECT_EQ(table.rowCount(), 2);

    ASSERT_EQ(storeEditedTimer(table, -1, fieldsToRecord(plainFields())), EditorProblem::None);
    ASSERT_EQ(table.rowCount(), 3);
    EXPECT_FALSE(list.isSelected(2));
}

TEST_F(EditorTableTest, RefusedInputLeavesTheTableAlone) {
    fill(1);
    int writes = list.cellWrites();
    EXPECT_EQ(storeEditedTimer(table, -1, fieldsToRecord(withTime("0", "60", "0", false))),
              EditorProblem::InvalidTime);
    EXPECT_EQ(storeEditedTimer(table, 0, fieldsToRecord(withPrice("2147483648", "", "1"))),
              EditorProblem::InvalidCoast);
    EXPECT_EQ(table.rowCount(), 1);
    EXPECT_EQ(list.cellWrites(), writes);
}
