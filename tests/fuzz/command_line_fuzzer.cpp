// A command line is input from anywhere, and so is the payload the running
// instance receives. The bytes are read twice: split at NULs into arguments
// for the command-line reader, and whole as a payload. What comes back must
// be a timer the table can hold, and the payload must carry it unchanged.
// Every payload the instance accepts then goes the receiver's own way into
// the list, through a save and a load: it must come back as exactly one
// timer, never as settings of its own making.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <string_view>
#include <vector>

#include "app/commanded_timer.h"
#include "command/timer_command.h"
#include "memory_list_control.h"
#include "sets/timer_set_file.h"
#include "timers/field_text.h"
#include "timers/timer_record.h"

namespace {
void require(bool condition) {
    if (!condition) std::abort();  // libFuzzer keeps the input that did it
}

bool sameCommand(const TimerCommand& a, const TimerCommand& b) {
    return a.paused == b.paused && a.seconds == b.seconds && a.description == b.description;
}

void checkTimer(const TimerCommand& timer) {
    require(timer.seconds >= 0 && timer.seconds <= longestTimeSeconds);
    require(timer.description.size() <= timerTextSize - 1);
    require(!holdsControlCharacter(timer.description.data(), timer.description.size()));
    const uint64_t answerBy = 0xFEDCBA9876543210ULL;
    const std::vector<unsigned char> payload = encodeTimerCommand(timer, answerBy);
    require(payload.size() == 24 + timer.description.size() + 1);
    TimerCommand back;
    uint64_t backBy = 0;
    require(decodeTimerCommand(payload.data(), payload.size(), back, backBy));
    require(sameCommand(back, timer) && backBy == answerBy);
}

std::string_view trimmedBlanks(std::string_view text) {
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r'; };
    while (!text.empty() && blank(text.front())) text.remove_prefix(1);
    while (!text.empty() && blank(text.back())) text.remove_suffix(1);
    return text;
}

// The receiver's own way: added as the instance adds it, then the list
// written as autosave.ini holds it and read back as the next start reads it.
void checkThroughTheList(const TimerCommand& command) {
    MemoryListControl list;
    TimerTable table(list);
    if (addCommandedTimer(table, command) != EditorProblem::None) return;
    require(table.rowCount() == 1);
    const TimerRecord added = table.readTimerRow(0);
    const TextBuffer text = buildTimerSetText(table);
    MemoryListControl loadedList;
    TimerTable loaded(loadedList);
    require(readTimerSetText(loaded, text.text(), static_cast<std::size_t>(text.length()), true) == 1);
    const TimerRecord back = loaded.readTimerRow(0);
    using Text = std::string_view;
    require(Text(back.description) == trimmedBlanks(added.description));
    require(Text(back.fileName) == added.fileName && Text(back.parameters) == added.parameters);
    require(back.actionType == added.actionType && back.runTimer == added.runTimer && back.limit == added.limit);
    require(totalSeconds(back.timeSet) == totalSeconds(added.timeSet) && back.flags == added.flags);
    require(back.coastInt == added.coastInt && back.forValue == added.forValue && Text(back.unit) == added.unit);
}

void readAsArguments(const char* data, std::size_t size) {
    std::vector<std::string> arguments;
    if (size > 0) {
        const char* end = data + size;
        for (const char* at = data;;) {
            const char* nul = static_cast<const char*>(std::memchr(at, '\0', static_cast<std::size_t>(end - at)));
            arguments.emplace_back(at, nul ? nul : end);
            if (!nul) break;
            at = nul + 1;
        }
    }
    const ParsedCommand parsed = readCommandLine(arguments);
    switch (parsed.kind) {
        case CommandKind::None:
            require(arguments.empty());
            break;
        case CommandKind::Help:
            break;
        case CommandKind::Refused:
            require(!parsed.problem.empty() && parsed.problem.size() < 200);
            break;
        case CommandKind::Timer:
            checkTimer(parsed.timer);
            break;
    }
    // A time read on its own is what the whole line makes of it.
    for (const std::string& argument : arguments) {
        int64_t seconds = -1;
        if (!readTimeArgument(argument, seconds)) {
            require(seconds == -1);
            continue;
        }
        require(seconds >= 1 && seconds <= longestTimeSeconds);
        const ParsedCommand alone = readCommandLine({argument, "x"});
        require(alone.kind == CommandKind::Timer && alone.timer.seconds == seconds && alone.timer.description == "x");
    }
}

// A payload has one encoding only, so one that reads must be exactly what
// encoding its command gives.
void readAsPayload(const uint8_t* bytes, std::size_t size) {
    TimerCommand command;
    command.description = "untouched";
    uint64_t answerBy = 0;
    if (!decodeTimerCommand(bytes, size, command, answerBy)) {
        require(command.description == "untouched" && command.seconds == 0 && !command.paused);
        return;
    }
    checkTimer(command);
    const std::vector<unsigned char> again = encodeTimerCommand(command, answerBy);
    require(again.size() == size && std::memcmp(again.data(), bytes, size) == 0);
    checkThroughTheList(command);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
    // The cut follows the active code page; the program runs with UTF-8.
    setFieldTextEncoding(TextEncoding::Utf8);
    readAsArguments(reinterpret_cast<const char*>(bytes), size);
    readAsPayload(bytes, size);
    return 0;
}
