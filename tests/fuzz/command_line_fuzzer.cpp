// A command line is input from anywhere, and so is the payload the running
// instance receives. The bytes are read twice: split at NULs into arguments
// for the command-line reader, and whole as a payload. What comes back must
// be a timer the table can hold, and the payload must carry it unchanged.
#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "command/timer_command.h"
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
    require(timer.description.find('\0') == std::string::npos);
    const std::vector<unsigned char> payload = encodeTimerCommand(timer);
    require(payload.size() == 16 + timer.description.size() + 1);
    TimerCommand back;
    require(decodeTimerCommand(payload.data(), payload.size(), back));
    require(sameCommand(back, timer));
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
    if (!decodeTimerCommand(bytes, size, command)) {
        require(command.description == "untouched" && command.seconds == 0 && !command.paused);
        return;
    }
    checkTimer(command);
    const std::vector<unsigned char> again = encodeTimerCommand(command);
    require(again.size() == size && std::memcmp(again.data(), bytes, size) == 0);
}
}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* bytes, std::size_t size) {
    // The cut follows the active code page; the program runs with UTF-8.
    setFieldTextEncoding(TextEncoding::Utf8);
    readAsArguments(reinterpret_cast<const char*>(bytes), size);
    readAsPayload(bytes, size);
    return 0;
}
