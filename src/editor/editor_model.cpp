#include "editor/editor_model.h"

#include <climits>
#include <cstdio>

#include "res/resource.h"
#include "timers/field_text.h"

const char* const defaultWavePath = ".\\wave files\\reminder.wav";

namespace {
const char* const unitItems[unitItemCount] = {"second", "minute", "hour"};

char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool beginsWithIgnoringCase(const char* text, const char* prefix) {
    for (; *prefix; ++prefix, ++text) {
        if (asciiLower(*text) != asciiLower(*prefix)) return false;
    }
    return true;
}

std::string unsignedText(int32_t value) {
    char text[16];
    std::snprintf(text, sizeof text, "%u", static_cast<unsigned>(static_cast<uint32_t>(value)));
    return text;
}

// The edits hold unsigned numbers and the record signed ones; the bits are
// kept, so a number past the signed range turns negative and the checks of OK
// catch it instead of it passing as some other number.
int32_t signedField(const std::string& text) {
    uint32_t value = readUnsignedField(text);
    if (value <= static_cast<uint32_t>(INT32_MAX)) return static_cast<int32_t>(value);
    return static_cast<int32_t>(value - 0x80000000u) + INT32_MIN;
}

void copyText(char* field, std::size_t capacity, const std::string& text) {
    copyFieldText(field, capacity, text.c_str(), text.size());
}

bool aboveAsUnsigned(int32_t value, uint32_t most) { return static_cast<uint32_t>(value) > most; }
}  // namespace

const char* unitItemText(int item) {
    if (item < 0 || item >= unitItemCount) item = 0;
    return unitItems[item];
}

int findUnitItem(const char* unit) {
    if (!unit) return 0;
    for (int item = 0; item < unitItemCount; ++item) {
        if (beginsWithIgnoringCase(unitItems[item], unit)) return item;
    }
    return 0;
}

uint32_t readUnsignedField(const std::string& text) {
    std::size_t at = text.find_first_not_of(" \t");
    if (at == std::string::npos) return 0;
    uint64_t value = 0;
    for (; at < text.size() && text[at] >= '0' && text[at] <= '9'; ++at) {
        value = value * 10 + static_cast<uint64_t>(text[at] - '0');
        if (value > UINT32_MAX) return UINT32_MAX;
    }
    return static_cast<uint32_t>(value);
}

EditorFields recordToFields(const TimerRecord& record) {
    EditorFields fields;
    fields.hours = unsignedText(record.timeSet.hours);
    fields.minutes = unsignedText(record.timeSet.minutes);
    fields.seconds = unsignedText(record.timeSet.seconds);
    fields.description = record.description;
    fields.playWave = record.actionType == PlayWave;
    fields.runProgram = record.actionType == RunProgram;
    fields.repeatSound = (record.flags & repeatSound) != 0;
    if (fields.runProgram) {
        fields.programPath = record.fileName;
        fields.parameters = record.parameters;
    } else {
        fields.wavePath = record.fileName;
    }
    fields.chainOff = record.runTimer == Off;
    fields.chainNext = record.runTimer == Next;
    fields.chainTop = record.runTimer == Top;
    fields.pause = record.state != Running;
    fields.limit = record.limit != 0;
    fields.coastInt = unsignedText(record.coastInt);
    char coastFrac[coastFracSize];
    copyFieldText(coastFrac, sizeof coastFrac, record.coastFrac);
    fields.coastFrac = coastFrac;
    fields.forValue = unsignedText(record.forValue);
    fields.unitItem = findUnitItem(record.unit);
    return fields;
}

TimerRecord fieldsToRecord(const EditorFields& fields) {
    TimerRecord record;
    record.timeSet.hours = signedField(fields.hours);
    record.timeSet.minutes = signedField(fields.minutes);
    record.timeSet.seconds = signedField(fields.seconds);
    copyText(record.description, sizeof record.description, fields.description);
    record.actionType = fields.runProgram ? RunProgram : PlayWave;
    record.flags = fields.repeatSound ? repeatSound : 0;
    // Only the checked action's paths count; the other edit may still hold
    // what the user typed before switching.
    if (record.actionType == RunProgram) {
        copyText(record.fileName, sizeof record.fileName, fields.programPath);
        copyText(record.parameters, sizeof record.parameters, fields.parameters);
    } else {
        copyText(record.fileName, sizeof record.fileName, fields.wavePath);
    }
    record.runTimer = (fields.chainTop ? 2 : 0) + (fields.chainNext ? 1 : 0);
    record.state = fields.pause ? Paused : Running;
    record.limit = fields.limit ? 1 : 0;
    record.coastInt = signedField(fields.coastInt);
    copyText(record.coastFrac, sizeof record.coastFrac, fields.coastFrac);
    record.forValue = signedField(fields.forValue);
    copyText(record.unit, sizeof record.unit, unitItemText(fields.unitItem));
    return record;
}

const char* editorProblemText(EditorProblem problem) {
    switch (problem) {
    case EditorProblem::None: return "";
    case EditorProblem::NothingSelected: return "Please select an item.";
    case EditorProblem::TableFull: return "Limit is reached.";
    case EditorProblem::InvalidTime:
        return "Invalid time.\r\nFormat: hours 0..99, minutes 0..59, seconds 0..59.";
    case EditorProblem::InvalidCoast: return "Invalid coast.\r\nFormat: 0..2147483647.";
    case EditorProblem::NoTimeSet: return "Please enter a time set.";
    case EditorProblem::InvalidForValue:
        return "Invalid Value.\r\nFormat: 1..59.\r\nCorrect please or set coast to 0.";
    }
    return "";
}

EditorProblem checkEditedRecord(const TimerRecord& record) {
    // The time is checked even with the limit off: the fields are stored all
    // the same and would come back when the limit is switched on.
    const TimeHms& set = record.timeSet;
    if (aboveAsUnsigned(set.seconds, 59) || aboveAsUnsigned(set.minutes, 59) || aboveAsUnsigned(set.hours, 99)) {
        return EditorProblem::InvalidTime;
    }
    if (record.coastInt < 0) return EditorProblem::InvalidCoast;
    if (record.limit != 0 && isZeroTime(set)) return EditorProblem::NoTimeSet;
    if (costValue(record) != 0.0 && (record.forValue < 1 || record.forValue > 59)) {
        return EditorProblem::InvalidForValue;
    }
    return EditorProblem::None;
}

EditorOpening openEditor(const TimerTable& table, bool addMode) {
    EditorOpening opening;
    if (addMode) {
        copyFieldText(opening.record.fileName, sizeof opening.record.fileName, defaultWavePath);
        if (table.rowCount() >= maxTimers) opening.problem = EditorProblem::TableFull;
        return opening;
    }
    opening.row = table.findSelectedRow();
    if (opening.row < 0) {
        opening.problem = EditorProblem::NothingSelected;
        return opening;
    }
    opening.record = table.readTimerRow(opening.row);
    return opening;
}

EditorProblem storeEditedTimer(TimerTable& table, int row, TimerRecord record) {
    EditorProblem problem = checkEditedRecord(record);
    if (problem != EditorProblem::None) return problem;
    // The check of the opening is not enough: a timer handed over by another
    // start of the program may fill the list while the editor is open.
    if (row < 0 && table.rowCount() >= maxTimers) return EditorProblem::TableFull;
    // A stored timer starts over; skipTick keeps it at 00:00:00 through the
    // tick that may arrive right after the editor closes.
    record.timeCurrent = TimeHms{};
    record.flags = skipTick | (record.flags & repeatSound);
    table.writeTimerRow(row, record);
    return EditorProblem::None;
}

std::vector<ControlEnabling> editorEnabling(bool limitChecked, bool playWaveChecked) {
    const bool wave = limitChecked && playWaveChecked;
    const bool program = limitChecked && !playWaveChecked;
    return {
        {IDC_EDITOR_TIME_SET_GROUP, limitChecked},
        {IDC_EDITOR_HOURS_LABEL, limitChecked},
        {IDC_EDITOR_MINUTES_LABEL, limitChecked},
        {IDC_EDITOR_SECONDS_LABEL, limitChecked},
        {IDC_EDITOR_HOURS, limitChecked},
        {IDC_EDITOR_MINUTES, limitChecked},
        {IDC_EDITOR_SECONDS, limitChecked},
        // The spins follow their edits, so a dead edit cannot be changed by its arrows.
        {IDC_EDITOR_HOURS_SPIN, limitChecked},
        {IDC_EDITOR_MINUTES_SPIN, limitChecked},
        {IDC_EDITOR_SECONDS_SPIN, limitChecked},
        {IDC_EDITOR_CHAIN_GROUP, limitChecked},
        {IDC_EDITOR_CHAIN_OFF, limitChecked},
        {IDC_EDITOR_CHAIN_NEXT, limitChecked},
        {IDC_EDITOR_CHAIN_TOP, limitChecked},
        {IDC_EDITOR_ACTION_GROUP, limitChecked},
        {IDC_EDITOR_PLAY_WAVE, limitChecked},
        {IDC_EDITOR_RUN_PROGRAM, limitChecked},
        {IDC_EDITOR_WAVE_PATH, wave},
        {IDC_EDITOR_BROWSE_WAVE, wave},
        {IDC_EDITOR_REPEAT_SOUND, wave},
        {IDC_EDITOR_PROGRAM_PATH, program},
        {IDC_EDITOR_BROWSE_PROGRAM, program},
        {IDC_EDITOR_PARAMETERS_LABEL, program},
        {IDC_EDITOR_PARAMETERS, program},
    };
}
