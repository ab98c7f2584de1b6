#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "command/timer_command.h"
#include "timers/field_text.h"

TEST(CommandLine, ReadsEachFormAndRefusesWhatIsNoTime) {
    const std::pair<const char*, int64_t> times[] = {
        {"7", 420}, {"1h5m", 3900}, {"90s", 90}, {"2h30s", 7230}, {"90m", 5400}, {"1h90m3600s", 12600},
        {"1:30", 90}, {"150:00", 9000}, {"2:00:05", 7205}, {"99:59:59", 359999}, {"5999m59s", 359999}, {"1s", 1}};
    for (const auto& [text, seconds] : times) {
        const ParsedCommand parsed = readCommandLine({text, "Tea"});
        int64_t alone = -1;
        EXPECT_TRUE(parsed.kind == CommandKind::Timer && parsed.timer.seconds == seconds &&
                    parsed.timer.description == "Tea" && readTimeArgument(text, alone) && alone == seconds)
            << text << ": " << parsed.timer.seconds << " " << parsed.problem;
    }
    const std::pair<const char*, const char*> refusals[] = {
        {"5x", "\"5x\" is not a time."}, {"-5", "not a time"}, {"1.5h", "not a time"}, {"1:00:00:00", "not a time"},
        {"1:75", "not a time"}, {"1:5", "not a time"}, {"1:60:00", "not a time"}, {"1:", "not a time"},
        {"5m1h", "not a time"}, {"1h1h", "not a time"}, {"1h30", "not a time"}, {"1hm", "not a time"},
        {"5M", "not a time"}, {"0", "shorter"}, {"0h0m0s", "shorter"}, {"0:00", "shorter"},
        {"100h", "\"100h\" is longer than 99:59:59."}, {"6000", "longer"}, {"100:00:00", "longer"},
        {"99999999999999999999m", "longer"}, {"18446744073709551616s", "longer"},
        {"--foo", "Unknown option \"--foo\"."}, {"-p", "Unknown option"}};
    // A description that could plant lines in the list's file is refused
    // whole, wherever the control character stands.
    const std::vector<std::string> controlled[] = {
        {"5m", "Tea\nACTION_TYPE = 1\nFILE = C:\\Windows\\System32\\calc.exe"}, {"Tea\r"}, {"--", "a\tb"},
        {"5m", "Tea", "\x7F"}, {"--paused", "\x1B[31m"}, {"1", "ok", std::string("x\0y", 3)}};
    for (const auto& arguments : controlled) {
        const ParsedCommand parsed = readCommandLine(arguments);
        EXPECT_EQ(parsed.kind, CommandKind::Refused) << arguments.back();
        EXPECT_EQ(parsed.problem, "The description holds a line break, a tab or another control character.");
    }
    for (const auto& [text, problem] : refusals) {
        const ParsedCommand parsed = readCommandLine({text, "Tea"});
        EXPECT_EQ(parsed.kind, CommandKind::Refused) << text;
        EXPECT_NE(parsed.problem.find(problem), std::string::npos) << text << ": " << parsed.problem;
        int64_t untouched = 42;
        EXPECT_FALSE(readTimeArgument(text, untouched) || untouched != 42) << text;
    }
    // Options, the description and help around the time.
    struct Line {
        std::vector<std::string> arguments;
        CommandKind kind;
        int64_t seconds;
        bool paused;
        const char* text;
    };
    const CommandKind T = CommandKind::Timer, H = CommandKind::Help;
    const Line lines[] = {{{}, CommandKind::None, 0, false, ""}, {{"--paused"}, T, 0, true, ""},
                          {{"--paused", "3", "Tee", "kochen"}, T, 180, true, "Tee kochen"},
                          {{"Start", "billing", "5m"}, T, 0, false, "Start billing 5m"}, {{"Чай", "☕"}, T, 0, false, "Чай ☕"},
                          {{"--", "3", "eggs"}, T, 0, false, "3 eggs"}, {{"--paused", "--", "--help"}, T, 0, true, "--help"},
                          {{"5m", "--paused", "/?"}, T, 300, false, "--paused /?"}, {{"-", "x"}, T, 0, false, "- x"},
                          {{"--help", "5x"}, H, 0, false, ""}, {{"--paused", "/?"}, H, 0, false, ""}};
    for (const Line& l : lines) {
        const ParsedCommand p = readCommandLine(l.arguments);
        EXPECT_TRUE(p.kind == l.kind && p.timer.seconds == l.seconds && p.timer.paused == l.paused &&
                    p.timer.description == l.text)
            << (l.arguments.empty() ? "(none)" : l.arguments[0]) << " -> " << p.timer.description << p.problem;
    }
}

TEST(CommandLine, CutsTheDescriptionAtACharacterBoundary) {
    setFieldTextEncoding(TextEncoding::Utf8);
    // Two-byte letters: the 259-byte field ends inside the 130th, which goes
    // whole rather than leave half a character behind.
    std::string letters;
    for (int i = 0; i < 200; ++i) letters += "é";
    EXPECT_EQ(readCommandLine({"1", letters}).timer.description, letters.substr(0, 258));
    EXPECT_EQ(readCommandLine({std::string(300, 'a')}).timer.description, std::string(259, 'a'));
    // A refusal quotes only the start of a pasted essay, cut the same way.
    EXPECT_EQ(readCommandLine({"1" + letters}).problem, "\"1" + letters.substr(0, 38) + "...\" is not a time.");
}

TEST(TimerPayload, RoundTripsAndRefusesMalformedPayloads) {
    using Bytes = std::vector<unsigned char>;
    const uint64_t answerBy = 0x123456789AULL;  // both halves of the moment travel
    auto payload = [answerBy](int64_t seconds, std::string description) {
        return encodeTimerCommand(TimerCommand{true, seconds, std::move(description)}, answerBy);
    };
    for (const Bytes& good : {payload(1500, "Tea ☕"), payload(359999, std::string(259, 'x'))}) {
        TimerCommand back;
        uint64_t backBy = 0;
        ASSERT_TRUE(decodeTimerCommand(good.data(), good.size(), back, backBy));
        EXPECT_EQ(backBy, answerBy);
        EXPECT_EQ(encodeTimerCommand(back, backBy), good);
    }
    const Bytes tea = payload(1500, "Tea ☕");
    auto changed = [&tea](std::size_t at, unsigned char value) {
        Bytes b = tea;
        b.at(at) = value;
        return b;
    };
    const std::pair<const char*, Bytes> bad[] = {
        {"empty", {}}, {"header only", Bytes(tea.begin(), tea.begin() + 16)},
        {"cut short", Bytes(tea.begin(), tea.end() - 1)}, {"one byte more", [&] { Bytes b = tea; b.push_back(0); return b; }()},
        {"unterminated", changed(tea.size() - 1, 'x')}, {"NUL inside", changed(25, 0)},
        {"line feed inside", changed(25, '\n')}, {"escape inside", changed(24, 0x1B)}, {"DEL inside", changed(26, 0x7F)},
        {"version 1", changed(0, 1)}, {"version 0", changed(0, 0)}, {"unknown flag", changed(4, 3)},
        {"length one less", changed(12, 6)}, {"length huge", changed(15, 0x80)},
        {"description too long", payload(0, std::string(260, 'x'))}, {"seconds too many", payload(360000, "")},
        {"seconds negative", payload(-1, "")}, {"nonsense", Bytes(64, 0xA5)}};
    for (const auto& [name, bytes] : bad) {
        TimerCommand untouched{false, 7, "kept"};
        uint64_t by = 9;
        EXPECT_FALSE(decodeTimerCommand(bytes.data(), bytes.size(), untouched, by)) << name;
        EXPECT_TRUE(!untouched.paused && untouched.seconds == 7 && untouched.description == "kept" && by == 9) << name;
    }
    TimerCommand none;
    uint64_t by = 0;
    EXPECT_FALSE(decodeTimerCommand(nullptr, tea.size(), none, by));
}

// Exit code 0 is the promise that the timer is in the list and its file;
// every other end says what happened, never a failure for a timer added.
TEST(TimerPayload, EachAnswerEndsTheStartWithItsOwnCodeAndWords) {
    const struct {
        HandOverReply reply;
        int answer;
        int exitCode;
        const char* words;  // in the problem; null: no box
        bool refusal;
    } cases[] = {
        {HandOverReply::Answered, timerCommandAdded, 0, nullptr, false},
        {HandOverReply::Answered, timerCommandAddedNotSaved, 3, "added the timer but cannot save its list now", false},
        {HandOverReply::Answered, timerCommandListFull, 2, "Limit is reached.", true},
        {HandOverReply::Answered, timerCommandRefused, 2, "The running Horalet did not take the timer.", true},
        {HandOverReply::Answered, timerCommandNotReady, 2, "did not take the timer", true},
        {HandOverReply::Answered, timerCommandTooLate, 2, "did not take the timer", true},
        {HandOverReply::Answered, 77, 2, "did not take the timer", true},
        {HandOverReply::NoAnswer, timerCommandAdded, 2, "did not take the timer", true},
        {HandOverReply::AccessDenied, 0, 2, "Horalet runs as administrator", false},
    };
    for (const auto& c : cases) {
        const HandOverOutcome outcome = handOverOutcome(c.reply, c.answer, "Horalet");
        EXPECT_EQ(outcome.exitCode, c.exitCode) << c.answer;
        EXPECT_EQ(outcome.refusal, c.refusal) << c.answer;
        if (c.words) {
            EXPECT_NE(outcome.problem.find(c.words), std::string::npos) << outcome.problem;
        } else {
            EXPECT_EQ(outcome.problem, "");
        }
    }
}
