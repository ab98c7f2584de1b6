#include "app/commanded_timer.h"

#include <string>

namespace {
// Through the editor's own fields, so that the new timer is the one a user
// gets from Add with the same values, with the editor's cuts and defaults.
EditorFields fieldsFor(const TimerRecord& newRecord, const TimerCommand& command) {
    EditorFields fields = recordToFields(newRecord);
    const TimeHms set = timeFromSeconds(command.seconds);
    fields.hours = std::to_string(set.hours);
    fields.minutes = std::to_string(set.minutes);
    fields.seconds = std::to_string(set.seconds);
    fields.limit = command.seconds > 0;
    fields.description = command.description;
    fields.pause = command.paused;
    return fields;
}
}  // namespace

EditorProblem addCommandedTimer(TimerTable& table, const TimerCommand& command) {
    const EditorOpening opening = openEditor(table, true);
    if (opening.problem != EditorProblem::None) return opening.problem;
    return storeEditedTimer(table, -1, fieldsToRecord(fieldsFor(opening.record, command)));
}

std::string commandedTimerNotice(const TimerCommand& command) {
    std::string notice = command.description.empty() ? "New timer" : command.description;
    notice += command.seconds > 0 ? ": " + formatTimeText(timeFromSeconds(command.seconds)) : ": counting up";
    notice += command.paused ? ", paused" : ", started";
    return notice;
}
