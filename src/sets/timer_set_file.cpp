#include "sets/timer_set_file.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "sets/ini_reader.h"
#include "timers/field_text.h"

namespace {
// The fifteen keys, in the order they are written.
const char* const keyNames[] = {
    "DESCRIPTION", "HOURS", "MINUTES", "SECONDS", "ACTION_TYPE", "FILE",  "FLAGS",  "PARAMETER",
    "RUN_TIMER",   "STATE", "LIMIT",   "COAST_INT", "COAST_FRAC", "VALUE", "UNIT",
};

std::string sectionName(int index) {
    char name[32];
    std::snprintf(name, sizeof name, "TIMER_%d", index);
    return name;
}

void appendKey(TextBuffer& text, const char* key) {
    text.appendLineEnd();
    text.appendText(key);
    text.appendText(" = ");
}

// A value is one line whoever filled the record: a line break inside it
// would make a line of its own, which the reader takes for a key, so every
// control character becomes a space. The editor's one-line fields never
// make one, so no file written before changes.
void appendKeyLine(TextBuffer& text, const char* key, const char* value) {
    appendKey(text, key);
    std::string line(value);
    for (char& c : line) {
        if (isControlCharacter(c)) c = ' ';
    }
    text.appendText(line.c_str());
}

void appendKeyLine(TextBuffer& text, const char* key, int32_t value) {
    appendKey(text, key);
    text.appendInt(value);
}

// One timer's lines: the empty line, the header and the fifteen keys, then
// what only the list of the last run keeps.
TextBuffer buildSectionText(int index, const TimerRecord& r, bool withProgress) {
    TextBuffer text;
    text.appendLineEnd();
    text.appendText(("[" + sectionName(index) + "]").c_str());
    appendKeyLine(text, "DESCRIPTION", r.description);
    appendKeyLine(text, "HOURS", r.timeSet.hours);
    appendKeyLine(text, "MINUTES", r.timeSet.minutes);
    appendKeyLine(text, "SECONDS", r.timeSet.seconds);
    appendKeyLine(text, "ACTION_TYPE", r.actionType);
    appendKeyLine(text, "FILE", r.fileName);
    // A named set's timers start from zero; none waits to go on.
    appendKeyLine(text, "FLAGS", withProgress ? r.flags : r.flags & ~waitsToResume);
    appendKeyLine(text, "PARAMETER", r.parameters);
    appendKeyLine(text, "RUN_TIMER", r.runTimer);
    appendKeyLine(text, "STATE", r.state);
    appendKeyLine(text, "LIMIT", r.limit);
    appendKeyLine(text, "COAST_INT", r.coastInt);
    appendKeyLine(text, "COAST_FRAC", r.coastFrac);
    appendKeyLine(text, "VALUE", r.forValue);
    appendKeyLine(text, "UNIT", r.unit);
    if (withProgress) appendKeyLine(text, "ELAPSED", static_cast<int32_t>(totalSeconds(r.timeCurrent)));
    text.appendLineEnd();
    return text;
}

// A section that holds none of the fifteen keys is as good as missing: it
// marks the end of the timers, like a gap in the numbering.
bool holdsTimer(const IniReader& ini, const std::string& section) {
    std::string_view value;
    for (const char* key : keyNames) {
        if (ini.findValue(section, key, value)) return true;
    }
    return false;
}

// A state the program does not know would leave the row without an icon and
// out of reach of Play/Pause; such a timer comes back paused.
int32_t knownState(int32_t state) {
    return (state == Running || state == Paused || state == Finished) ? state : Paused;
}

// Where the last run left a timer: paused, at its elapsed time, those that
// ran marked to resume. A hand-edited time past the set one, or past what
// the table can show, is brought into range.
void restoreLastRun(const IniReader& ini, const std::string& section, TimerRecord& r) {
    if (r.state == Finished) {
        r.flags &= ~waitsToResume;
    } else {
        if (r.state == Running) r.flags |= waitsToResume;
        const int64_t longest = r.limit != 0 ? totalSeconds(r.timeSet) : longestTimeSeconds;
        r.timeCurrent = timeInRange(std::min<int64_t>(ini.readInt(section, "ELAPSED", 0), longest));
    }
    r.state = Paused;
}

TimerRecord readTimerSection(const IniReader& ini, const std::string& section, bool lastRun) {
    TimerRecord r;
    ini.readText(section, "DESCRIPTION", r.description, sizeof r.description);
    // A hand-edited "MINUTES = 75" would show as "00:75:00", and a time past
    // 99:59:59 reads back from the table as zero: the set time is brought to
    // hours, minutes and seconds in range, and to 99:59:59 at most.
    const int64_t hours = ini.readInt(section, "HOURS", 0);
    const int64_t minutes = ini.readInt(section, "MINUTES", 0);
    const int64_t seconds = ini.readInt(section, "SECONDS", 0);
    r.timeSet = timeInRange((hours * 60 + minutes) * 60 + seconds);
    r.actionType = ini.readInt(section, "ACTION_TYPE", 0);
    ini.readText(section, "FILE", r.fileName, sizeof r.fileName);
    r.flags = ini.readInt(section, "FLAGS", 0);
    ini.readText(section, "PARAMETER", r.parameters, sizeof r.parameters);
    r.runTimer = ini.readInt(section, "RUN_TIMER", 0);
    r.state = knownState(ini.readInt(section, "STATE", 0));
    r.limit = ini.readInt(section, "LIMIT", 0);
    r.coastInt = ini.readInt(section, "COAST_INT", 0);
    r.forValue = ini.readInt(section, "VALUE", 0);
    // The field holds 3 characters; a longer hand-edited value is cut there.
    ini.readText(section, "COAST_FRAC", r.coastFrac, sizeof r.coastFrac);
    ini.readText(section, "UNIT", r.unit, sizeof r.unit);
    // A file of an older version keeps no progress, and loads as it always
    // did: every timer paused from zero.
    std::string_view elapsed;
    if (lastRun && ini.findValue(section, "ELAPSED", elapsed)) {
        restoreLastRun(ini, section, r);
    } else if (lastRun) {
        r.state = Paused;
    }
    return r;
}
}  // namespace

TextBuffer buildTimerSetText(const TimerTable& table, bool withProgress) {
    // Each section is built on its own and joined once: the builder copies
    // the whole text on every append, and a long file would pay for that
    // thousands of times over.
    TextBuffer text;
    const int rows = table.rowCount();
    for (int i = 0; i < rows; ++i) {
        text.appendText(buildSectionText(i, table.readTimerRow(i), withProgress).text());
    }
    return text;
}

int readTimerSetText(TimerTable& table, const char* data, std::size_t size, bool lastRun) {
    table.deleteAllRows();
    IniReader ini(data, size);
    int loaded = 0;
    while (loaded < maxTimers) {
        std::string section = sectionName(loaded);
        if (!holdsTimer(ini, section)) break;
        table.writeTimerRow(-1, readTimerSection(ini, section, lastRun));
        ++loaded;
    }
    if (loaded > 0) table.selectRow(0);
    return loaded;
}
