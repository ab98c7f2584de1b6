// Feeds arbitrary bytes to the INI reader and to the timer set reader, as a
// damaged or hostile autosave.ini would reach them, and checks what comes
// back: nothing read or written out of bounds (the sanitizers), every field
// terminated within its capacity, at most 100 timers, and a loaded set that
// the writer and the reader carry through unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>

#include "books/stretch_note.h"
#include "memory_list_control.h"
#include "sets/ini_reader.h"
#include "sets/timer_set_file.h"
#include "timers/field_text.h"

namespace {
void require(bool condition) {
    if (!condition) std::abort();  // libFuzzer keeps the input that did it
}

std::string_view trimmed(const char* text) {
    std::string_view view(text);
    auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!view.empty() && blank(view.front())) view.remove_prefix(1);
    while (!view.empty() && blank(view.back())) view.remove_suffix(1);
    return view;
}

template <std::size_t N>
void requireTerminated(const char (&field)[N]) {
    require(std::memchr(field, '\0', N) != nullptr);
}

void checkRecord(const TimerRecord& r, bool lastRun) {
    requireTerminated(r.description);
    requireTerminated(r.fileName);
    requireTerminated(r.parameters);
    requireTerminated(r.unit);
    require(std::strlen(r.coastFrac) <= 2);  // what the table keeps
    require(r.state == Running || r.state == Paused || r.state == Finished);
    if (lastRun) require(r.state == Paused);  // the last run comes back paused
    require(r.limit != 0 || (r.timeSet.hours == 0 && r.timeSet.minutes == 0 && r.timeSet.seconds == 0));
}

// A value is written on one line: a control character in it becomes a space.
std::string asWritten(const char* text) {
    std::string value = text;
    for (char& c : value) {
        if (isControlCharacter(c)) c = ' ';
    }
    return std::string(trimmed(value.c_str()));
}

// Reading what the writer made of a loaded table gives the same timers; the
// only losses the format allows are blanks at the ends of a text, which a
// value cut to its field can end with, and control characters, which are
// written as spaces. The list of the last run goes to autosave.ini with its
// times and marks, and comes back the same; a named set keeps neither.
void checkRoundTrip(const TimerTable& table, bool lastRun) {
    TextBuffer text = buildTimerSetText(table, lastRun);
    require(text.text()[text.length()] == '\0');
    MemoryListControl againList;
    TimerTable again(againList);
    const int rows = readTimerSetText(again, text.text(), static_cast<std::size_t>(text.length()), lastRun);
    require(rows == table.rowCount());
    for (int i = 0; i < rows; ++i) {
        const TimerRecord a = table.readTimerRow(i);
        const TimerRecord b = again.readTimerRow(i);
        require(asWritten(a.description) == b.description);
        require(asWritten(a.fileName) == b.fileName);
        require(asWritten(a.parameters) == b.parameters);
        require(asWritten(a.unit) == b.unit);
        require(asWritten(a.coastFrac) == b.coastFrac);
        require(std::memcmp(&a.timeSet, &b.timeSet, sizeof a.timeSet) == 0);
        require(totalSeconds(a.timeCurrent) == totalSeconds(b.timeCurrent));
        require(a.state == b.state && a.actionType == b.actionType && a.runTimer == b.runTimer);
        require((lastRun ? a.flags : a.flags & ~waitsToResume) == b.flags);
        require(a.limit == b.limit && a.coastInt == b.coastInt && a.forValue == b.forValue);
    }
}

void readAsTimerSet(const char* data, std::size_t size, bool lastRun) {
    MemoryListControl list;
    TimerTable table(list);
    const int loaded = readTimerSetText(table, data, size, lastRun);
    require(loaded >= 0 && loaded <= maxTimers && loaded == table.rowCount());
    require(list.selectedFocusedRow() == (loaded > 0 ? 0 : -1));
    for (int i = 0; i < loaded; ++i) {
        TimerRecord r = table.readTimerRow(i);
        checkRecord(r, lastRun);
        // A named set starts from zero; the last run where it stood, never
        // past its set time or what the table can show.
        const int64_t longest = !lastRun ? 0 : r.limit != 0 ? totalSeconds(r.timeSet) : longestTimeSeconds;
        require(totalSeconds(r.timeCurrent) >= 0 && totalSeconds(r.timeCurrent) <= longest);
    }
    checkRoundTrip(table, lastRun);
    // The books' note of the stretches a kill interrupted lives in the same
    // file: whatever it says, only entries a month file can hold come out,
    // each of a timer of the list, never more than it counted.
    if (!lastRun) return;
    for (const BookEntry& entry : interruptedStretches(std::string_view(data, size), table)) {
        require(isStorableEntry(entry) && entry.seconds >= 1 && entry.seconds <= longestTimeSeconds);
    }
}

// Lookups of the names a timer set uses, into fields of several sizes; the
// byte after each field is a guard that must stay untouched.
void lookUpKeys(const char* data, std::size_t size) {
    IniReader ini(data, size);
    const char* const keys[] = {"DESCRIPTION", "HOURS", "COAST_FRAC", "UNIT", ""};
    for (const char* section : {"TIMER_0", "timer_1", "TIMER_99", ""}) {
        ini.hasSection(section);
        for (const char* key : keys) {
            std::string_view value;
            if (ini.findValue(section, key, value)) {
                require(value.data() >= data && value.data() + value.size() <= data + size);
            }
            ini.readInt(section, key, -1);
            for (std::size_t capacity : {std::size_t{1}, std::size_t{4}, std::size_t{260}}) {
                char field[261];
                std::memset(field, 'G', sizeof field);
                ini.readText(section, key, field, capacity);
                require(std::memchr(field, '\0', capacity) != nullptr);
                require(field[capacity] == 'G');
            }
        }
    }
}
}  // namespace

// libFuzzer hands over an exact-size heap copy of the input, so a read one
// byte past its end is caught too.
extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
    const char* data = reinterpret_cast<const char*>(bytes);
    lookUpKeys(data, size);
    // The program follows the active code page; cuts differ between the two.
    setFieldTextEncoding(TextEncoding::Utf8);
    readAsTimerSet(data, size, true);
    setFieldTextEncoding(TextEncoding::SingleByte);
    readAsTimerSet(data, size, false);
    return 0;
}
