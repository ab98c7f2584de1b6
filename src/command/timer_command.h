#pragma once
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

// A timer asked for on the command line: `horalet.exe [--paused] [TIME]
// [DESCRIPTION...]`, read by portable code because a command line is input
// from anywhere, and handed to the running instance as a checked payload.
struct TimerCommand {
    bool paused = false;
    int64_t seconds = 0;      // the set time; 0: no time given, the timer counts up
    std::string description;  // UTF-8, cut to the field at a character boundary
};

enum class CommandKind {
    None,     // no arguments: start (or bring forward) the program as ever
    Timer,    // add and start `timer`
    Help,     // --help or /?: show the usage and exit 0
    Refused,  // `problem` says what is wrong; exit 2 after a box
};

struct ParsedCommand {
    CommandKind kind = CommandKind::None;
    TimerCommand timer;
    std::string problem;  // for Refused: one line naming what is wrong
};

// The arguments after the program's name, each UTF-8.
// Options stand before the time: --paused, --help or /? (help wins wherever
// an option may stand), and -- after which everything is the description.
// From the time on, every argument is a word of the description. An argument
// that starts with a digit (or a sign and a digit) is meant as a time, so one
// that does not read as a time is refused rather than taken as a description.
// --paused alone is a paused count-up with no description.
ParsedCommand readCommandLine(const std::vector<std::string>& arguments);

// One argument as a time: N (minutes), h/m/s units in that order, M:SS or
// H:MM:SS; false for anything else or a total outside 1 s to 99:59:59.
bool readTimeArgument(const std::string& argument, int64_t& seconds);

// The usage and the accepted forms, for the help box and every refusal
// (whose box shows `problem` above them); lines end in "\r\n".
const char* commandUsageText();

// The payload of the WM_COPYDATA message that hands a command to the running
// instance: a version, the fields and their sizes, and the moment the start
// stops waiting for the answer (a count of GetTickCount64, which every
// process of the machine shares). A message can be delivered after its
// sender gave up; the instance refuses one that arrives that late, so a start
// that said "not added" never leaves a timer behind. Reading it checks all of
// it again, since any program on the desktop can send one; false leaves
// `command` untouched.
constexpr uint32_t timerCommandPayloadId = 0x484F5201;  // dwData of the message

// What the instance answers (the message's result). Anything else, 0
// included, means the payload was refused.
enum TimerCommandAnswer : int {
    timerCommandRefused = 0,
    timerCommandAdded = 1,          // in the list, and the list is in its file
    timerCommandListFull = 2,
    timerCommandNotReady = 3,       // loading its list, or inside its tick: ask again
    timerCommandAddedNotSaved = 4,  // in the list, but the list cannot be written now
    timerCommandTooLate = 5,        // it came after its start stopped waiting
};

// How a start that handed a timer over ends: what the instance answered, or
// why no answer came.
enum class HandOverReply { Answered, NoAnswer, AccessDenied };
struct HandOverOutcome {
    int exitCode;         // 0 added, 2 not added, 3 added but not saved
    std::string problem;  // for the box; empty when there is nothing to tell
    bool refusal;         // the box shows the accepted forms below the problem
};
HandOverOutcome handOverOutcome(HandOverReply reply, int answer, const char* title);
std::vector<unsigned char> encodeTimerCommand(const TimerCommand& command, uint64_t answerByMs);
bool decodeTimerCommand(const void* data, std::size_t size, TimerCommand& command, uint64_t& answerByMs);
