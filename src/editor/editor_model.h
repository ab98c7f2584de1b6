#pragma once
#include <string>
#include <vector>

#include "timers/timer_record.h"
#include "timers/timer_table.h"

// The timer editor without its window: what its controls hold, how a record
// maps onto them and back, which controls are live, and what OK accepts.
// The dialog only moves these values in and out of the real controls.

// The contents of the editor's controls. Numbers are kept as the texts the
// edits hold, so that reading them back follows the dialog's own rules.
struct EditorFields {
    std::string hours;
    std::string minutes;
    std::string seconds;
    std::string description;
    bool playWave = false;
    bool runProgram = false;
    std::string wavePath;
    bool repeatSound = false;  // "Repeat the sound until I look"; the flag's bit, whichever action
    std::string programPath;
    std::string parameters;
    bool chainOff = false;
    bool chainNext = false;
    bool chainTop = false;
    bool pause = false;
    bool limit = false;
    std::string coastInt;
    std::string coastFrac;
    std::string forValue;
    int unitItem = -1;  // selected item of the unit list, -1 when none
};

// The unit list, in the order its items are added.
constexpr int unitItemCount = 3;
const char* unitItemText(int item);  // item 0 for an index outside the list
// The first item that begins with `unit`, ignoring case; item 0 when none does.
int findUnitItem(const char* unit);

// The wave file a new timer plays.
extern const char* const defaultWavePath;

EditorFields recordToFields(const TimerRecord& record);
TimerRecord fieldsToRecord(const EditorFields& fields);

// Reads an edit's number: leading blanks skipped, then the digits; anything
// else reads 0. Numbers past the unsigned 32-bit range stop at its top, so a
// long run of digits never wraps round to a small accepted value.
uint32_t readUnsignedField(const std::string& text);

// Why the editor refuses to open or to store.
enum class EditorProblem {
    None,
    NothingSelected,  // edit mode without a selected and focused row
    TableFull,        // add mode with maxTimers rows or more
    InvalidTime,
    InvalidCoast,     // the price's integer part does not fit a signed 32-bit number
    NoTimeSet,
    InvalidForValue,
};

const char* editorProblemText(EditorProblem problem);

// The checks of OK, first failing one wins.
EditorProblem checkEditedRecord(const TimerRecord& record);

// What an editor starts from: the row it edits (edit mode) and the record it shows.
struct EditorOpening {
    EditorProblem problem = EditorProblem::None;
    int row = -1;
    TimerRecord record;
};

EditorOpening openEditor(const TimerTable& table, bool addMode);

// OK: checks the record read from the editor and, when it passes, stores the
// timer afresh in `row` (-1 appends). The table is untouched when a check fails.
EditorProblem storeEditedTimer(TimerTable& table, int row, TimerRecord record);

// Controls that the "Limit (count to down)" box and the action buttons switch;
// every other control of the editor stays enabled.
struct ControlEnabling {
    int controlId;
    bool enabled;
};
std::vector<ControlEnabling> editorEnabling(bool limitChecked, bool playWaveChecked);
