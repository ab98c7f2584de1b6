#include "command/timer_command.h"

#include <string_view>

#include "timers/field_text.h"
#include "timers/timer_record.h"

namespace {
enum class TimeReading { Time, NotATime, TooShort, TooLong };

bool isDigit(char c) { return c >= '0' && c <= '9'; }

// Far above any time we accept, so a number that reaches it is simply too
// long; stopping there keeps a string of a thousand digits from wrapping.
constexpr int64_t numberCeiling = 1000000000;

// The digits from `at` on; `at` ends on the first non-digit.
int64_t readNumber(std::string_view text, std::size_t& at) {
    int64_t value = 0;
    for (; at < text.size() && isDigit(text[at]); ++at) {
        value = value * 10 + (text[at] - '0');
        if (value > numberCeiling) value = numberCeiling;
    }
    return value;
}

TimeReading inRange(int64_t total, int64_t& seconds) {
    if (total < 1) return TimeReading::TooShort;
    if (total > longestTimeSeconds) return TimeReading::TooLong;
    seconds = total;
    return TimeReading::Time;
}

// M:SS or H:MM:SS. The fields after the first are two digits below 60, as a
// clock shows them: "1:75" and "1:5" say nothing certain, so they are refused.
TimeReading readClockForm(std::string_view text, int64_t& seconds) {
    std::size_t at = 0;
    int64_t fields[3];
    int count = 0;
    for (;;) {
        const std::size_t start = at;
        const int64_t value = readNumber(text, at);
        const std::size_t digits = at - start;
        if (digits == 0 || count == 3) return TimeReading::NotATime;
        if (count > 0 && (digits != 2 || value >= 60)) return TimeReading::NotATime;
        fields[count++] = value;
        if (at == text.size()) break;
        if (text[at++] != ':') return TimeReading::NotATime;
    }
    if (count == 1) return TimeReading::NotATime;
    const int64_t total = count == 2 ? fields[0] * 60 + fields[1] : (fields[0] * 60 + fields[1]) * 60 + fields[2];
    return inRange(total, seconds);
}

// N (minutes), or numbers with the units h, m and s, each at most once and in
// that order; a unit's number may exceed its range and carries.
TimeReading readTime(std::string_view text, int64_t& seconds) {
    if (text.empty() || !isDigit(text[0])) return TimeReading::NotATime;
    if (text.find(':') != std::string_view::npos) return readClockForm(text, seconds);
    constexpr std::string_view units = "hms";
    constexpr int64_t unitSeconds[] = {3600, 60, 1};
    std::size_t at = 0;
    std::size_t nextUnit = 0;
    int64_t total = 0;
    while (at < text.size()) {
        const std::size_t start = at;
        const int64_t value = readNumber(text, at);
        if (at == start) return TimeReading::NotATime;  // a unit without its number
        if (at == text.size()) {
            if (nextUnit > 0) return TimeReading::NotATime;  // "1h30": a bare number after a unit
            return inRange(value * 60, seconds);
        }
        const std::size_t unit = units.find(text[at], nextUnit);
        if (unit == std::string_view::npos) return TimeReading::NotATime;  // repeated, out of order or no unit
        total += value * unitSeconds[unit];
        nextUnit = unit + 1;
        ++at;
    }
    return inRange(total, seconds);
}

// An argument that starts like a number is meant as a time, so one we cannot
// read is refused rather than silently becoming a count-up's name; "-- 2nd
// round" gives such words as a description.
bool looksLikeTime(std::string_view argument) {
    if (argument.empty()) return false;
    if (isDigit(argument[0])) return true;
    return argument.size() > 1 && (argument[0] == '-' || argument[0] == '+') && isDigit(argument[1]);
}

bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

// "-" alone is a word and "-5" a signed time; a dash before a letter or a
// second dash is an option.
bool looksLikeOption(std::string_view argument) {
    return argument.size() > 1 && argument[0] == '-' && (argument[1] == '-' || isLetter(argument[1]));
}

// The argument as the box quotes it; a pasted essay is shortened.
std::string quoted(std::string_view argument) {
    constexpr std::size_t longest = 40;
    const std::size_t kept = fittingPrefixLength(argument.data(), argument.size(), longest);
    std::string text = "\"";
    text.append(argument.data(), kept);
    if (kept < argument.size()) text += "...";
    return text + "\"";
}

ParsedCommand refused(std::string problem) {
    ParsedCommand parsed;
    parsed.kind = CommandKind::Refused;
    parsed.problem = std::move(problem);
    return parsed;
}

// The words from `first` on make the description. A line break or another
// control character in it is refused, never cleaned up: whoever passes one
// may be trying to smuggle lines into the list's file.
ParsedCommand withDescription(ParsedCommand parsed, const std::vector<std::string>& arguments, std::size_t first) {
    std::string text;
    for (std::size_t i = first; i < arguments.size(); ++i) {
        if (i > first) text += ' ';
        text += arguments[i];
    }
    if (holdsControlCharacter(text.data(), text.size())) {
        return refused("The description holds a line break, a tab or another control character.");
    }
    text.resize(fittingPrefixLength(text.data(), text.size(), timerTextSize - 1));
    parsed.timer.description = std::move(text);
    return parsed;
}
}  // namespace

bool readTimeArgument(const std::string& argument, int64_t& seconds) {
    return readTime(argument, seconds) == TimeReading::Time;
}

ParsedCommand readCommandLine(const std::vector<std::string>& arguments) {
    ParsedCommand parsed;
    if (arguments.empty()) return parsed;
    parsed.kind = CommandKind::Timer;
    std::size_t at = 0;
    for (; at < arguments.size(); ++at) {
        const std::string& argument = arguments[at];
        if (argument == "--help" || argument == "/?") {
            ParsedCommand help;
            help.kind = CommandKind::Help;
            return help;
        }
        if (argument == "--") return withDescription(parsed, arguments, at + 1);
        if (argument == "--paused") {
            parsed.timer.paused = true;
            continue;
        }
        if (looksLikeOption(argument)) return refused("Unknown option " + quoted(argument) + ".");
        break;
    }
    if (at < arguments.size() && looksLikeTime(arguments[at])) {
        const std::string& argument = arguments[at];
        switch (readTime(argument, parsed.timer.seconds)) {
            case TimeReading::Time:
                ++at;
                break;
            case TimeReading::NotATime:
                return refused(quoted(argument) + " is not a time.");
            case TimeReading::TooShort:
                return refused(quoted(argument) + " is shorter than 1 second.");
            case TimeReading::TooLong:
                return refused(quoted(argument) + " is longer than 99:59:59.");
        }
    }
    return withDescription(parsed, arguments, at);
}

const char* commandUsageText() {
    return "Usage: horalet.exe [--paused] [TIME] [DESCRIPTION...]\r\n"
           "\r\n"
           "TIME is one of:\r\n"
           "N: N minutes (7 is 00:07:00)\r\n"
           "h, m and s, in that order: 1h5m is 01:05:00, 90s is 00:01:30, 2h30s is 02:00:30\r\n"
           "M:SS: minutes and seconds (1:30 is 00:01:30)\r\n"
           "H:MM:SS: hours, minutes and seconds (2:00:05 is 02:00:05)\r\n"
           "It lies between 1 second and 99:59:59.\r\n"
           "\r\n"
           "Without TIME the timer counts up. --paused adds it paused.\r\n"
           "-- ends the options: \"-- 3 eggs\" names a timer \"3 eggs\".";
}
