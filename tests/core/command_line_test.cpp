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
    auto payload = [](int64_t seconds, std::string description) {
        return encodeTimerCommand(TimerCommand{true, seconds, std::move(description)});
    };
    for (const Bytes& good : {payload(1500, "Tea ☕"), payload(359999, std::string(259, 'x'))}) {
        TimerCommand back;
        ASSERT_TRUE(decodeTimerCommand(good.data(), good.size(), back));
        EXPECT_EQ(encodeTimerCommand(back), good);
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
        {"unterminated", changed(tea.size() - 1, 'x')}, {"NUL inside", changed(17, 0)},
        {"version 2", changed(0, 2)}, {"version 0", changed(0, 0)}, {"unknown flag", changed(4, 3)},
        {"length one less", changed(12, 6)}, {"length huge", changed(15, 0x80)},
        {"description too long", payload(0, std::string(260, 'x'))}, {"seconds too many", payload(360000, "")},
        {"seconds negative", payload(-1, "")}, {"nonsense", Bytes(64, 0xA5)}};
    for (const auto& [name, bytes] : bad) {
        TimerCommand untouched{false, 7, "kept"};
        EXPECT_FALSE(decodeTimerCommand(bytes.data(), bytes.size(), untouched)) << name;
        EXPECT_TRUE(!untouched.paused && untouched.seconds == 7 && untouched.description == "kept") << name;
    }
    TimerCommand none;
    EXPECT_FALSE(decodeTimerCommand(nullptr, tea.size(), none));
}
