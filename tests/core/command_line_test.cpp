#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

#include "command/timer_command.h"
#include "timers/field_text.h"

namespace {
struct Line {
    std::vector<std::string> arguments;
    CommandKind kind;
    int64_t seconds;
    bool paused;
    const char* text;  // Timer: the description; Refused: a word of the problem
};

constexpr CommandKind T = CommandKind::Timer;
constexpr CommandKind R = CommandKind::Refused;
}  // namespace

TEST(CommandLine, ReadsEachFormAndRefusesWhatIsNoTime) {
    const std::vector<Line> lines = {
        {{}, CommandKind::None, 0, false, ""},
        {{"7"}, T, 7 * 60, false, ""},
        {{"25m", "Earl", "Grey"}, T, 25 * 60, false, "Earl Grey"},
        {{"1h5m"}, T, 3900, false, ""},
        {{"90s"}, T, 90, false, ""},
        {{"2h30s"}, T, 7230, false, ""},
        {{"90m"}, T, 5400, false, ""},
        {{"1h90m3600s"}, T, 3 * 3600 + 30 * 60, false, ""},
        {{"1:30"}, T, 90, false, ""},
        {{"150:00"}, T, 9000, false, ""},
        {{"2:00:05"}, T, 7205, false, ""},
        {{"99:59:59"}, T, 359999, false, ""},
        {{"5999m59s"}, T, 359999, false, ""},
        {{"1s"}, T, 1, false, ""},
        {{"--paused", "3", "Tee", "", "kochen"}, T, 180, true, "Tee  kochen"},
        {{"--paused"}, T, 0, true, ""},
        {{"Start", "billing", "ACME", "5m"}, T, 0, false, "Start billing ACME 5m"},
        {{"Чай", "☕"}, T, 0, false, "Чай ☕"},
        {{"--", "3", "eggs"}, T, 0, false, "3 eggs"},
        {{"--paused", "--", "--help"}, T, 0, true, "--help"},
        {{"5m", "--paused", "/?"}, T, 300, false, "--paused /?"},
        {{"-", "x"}, T, 0, false, "- x"},
        {{"--help", "5x"}, CommandKind::Help, 0, false, ""},
        {{"--paused", "/?"}, CommandKind::Help, 0, false, ""},
        {{"--foo", "5m"}, R, 0, false, "\"--foo\""},
        {{"-p"}, R, 0, false, "option"},
        {{"5x"}, R, 0, false, "\"5x\" is not"},
        {{"-5"}, R, 0, false, "not a time"},
        {{"1.5h"}, R, 0, false, "not a time"},
        {{"1:2:3:4"}, R, 0, false, "not a time"},
        {{"1:75"}, R, 0, false, "not a time"},
        {{"1:5"}, R, 0, false, "not a time"},
        {{"1:60:00"}, R, 0, false, "not a time"},
        {{"1:"}, R, 0, false, "not a time"},
        {{"5m1h"}, R, 0, false, "not a time"},
        {{"1h1h"}, R, 0, false, "not a time"},
        {{"1h30"}, R, 0, false, "not a time"},
        {{"1hm"}, R, 0, false, "not a time"},
        {{"5M"}, R, 0, false, "not a time"},
        {{"0"}, R, 0, false, "shorter"},
        {{"0h0m0s"}, R, 0, false, "shorter"},
        {{"0:00"}, R, 0, false, "shorter"},
        {{"100h"}, R, 0, false, "\"100h\" is longer"},
        {{"6000"}, R, 0, false, "longer"},
        {{"100:00:00"}, R, 0, false, "longer"},
        {{"99999999999999999999m"}, R, 0, false, "longer"},
        {{"18446744073709551616s"}, R, 0, false, "longer"},
    };
    for (const Line& line : lines) {
        std::string shown;
        for (const std::string& a : line.arguments) shown += "[" + a + "]";
        SCOPED_TRACE(shown);
        const ParsedCommand parsed = readCommandLine(line.arguments);
        ASSERT_EQ(parsed.kind, line.kind);
        if (line.kind == R) {
            EXPECT_NE(parsed.problem.find(line.text), std::string::npos) << parsed.problem;
            continue;
        }
        EXPECT_EQ(parsed.timer.seconds, line.seconds);
        EXPECT_EQ(parsed.timer.paused, line.paused);
        EXPECT_EQ(parsed.timer.description, line.text);
        if (line.kind == T && line.seconds > 0) {
            int64_t seconds = -1;
            EXPECT_TRUE(readTimeArgument(line.arguments[line.paused ? 1 : 0], seconds));
            EXPECT_EQ(seconds, line.seconds);
        }
    }
    int64_t untouched = 42;
    EXPECT_FALSE(readTimeArgument("tea", untouched));
    EXPECT_FALSE(readTimeArgument("", untouched));
    EXPECT_EQ(untouched, 42);
}

TEST(CommandLine, CutsTheDescriptionAtACharacterBoundaryAndQuotesLittle) {
    setFieldTextEncoding(TextEncoding::Utf8);
    // Two-byte letters: the 259-byte field ends inside the 130th, which goes
    // whole rather than leave half a character behind.
    std::string letters;
    for (int i = 0; i < 200; ++i) letters += "é";
    const ParsedCommand parsed = readCommandLine({"1", letters});
    EXPECT_EQ(parsed.timer.description, letters.substr(0, 258));
    EXPECT_EQ(readCommandLine({std::string(300, 'a')}).timer.description, std::string(259, 'a'));

    const ParsedCommand refused = readCommandLine({"1" + letters});
    EXPECT_LT(refused.problem.size(), 80u) << refused.problem;
    EXPECT_NE(refused.problem.find("1éé"), std::string::npos);
}

TEST(TimerPayload, RoundTripsAndRefusesMalformedPayloads) {
    TimerCommand tea;
    tea.paused = true;
    tea.seconds = 1500;
    tea.description = "Tea ☕";
    const std::vector<unsigned char> good = encodeTimerCommand(tea);
    ASSERT_EQ(good.size(), 16 + tea.description.size() + 1);
    TimerCommand back;
    ASSERT_TRUE(decodeTimerCommand(good.data(), good.size(), back));
    EXPECT_TRUE(back.paused);
    EXPECT_EQ(back.seconds, 1500);
    EXPECT_EQ(back.description, tea.description);

    TimerCommand longest;
    longest.seconds = 359999;
    longest.description.assign(259, 'x');
    const std::vector<unsigned char> full = encodeTimerCommand(longest);
    ASSERT_TRUE(decodeTimerCommand(full.data(), full.size(), back));
    EXPECT_EQ(back.description, longest.description);

    using Bytes = std::vector<unsigned char>;
    auto changed = [&good](std::size_t at, unsigned char value) {
        Bytes b = good;
        b[at] = value;
        return b;
    };
    TimerCommand tooLong;
    tooLong.description.assign(260, 'x');
    TimerCommand tooLate;
    tooLate.seconds = 360000;
    TimerCommand negative;
    negative.seconds = -1;
    const std::vector<std::pair<const char*, Bytes>> bad = {
        {"empty", {}},
        {"header only", Bytes(good.begin(), good.begin() + 16)},
        {"cut short", Bytes(good.begin(), good.end() - 1)},
        {"one byte more", [&] { Bytes b = good; b.push_back(0); return b; }()},
        {"unterminated", changed(good.size() - 1, 'x')},
        {"NUL inside", changed(17, 0)},
        {"version 2", changed(0, 2)},
        {"version 0", changed(0, 0)},
        {"unknown flag", changed(4, 3)},
        {"length one less", changed(12, static_cast<unsigned char>(tea.description.size() - 1))},
        {"length huge", changed(15, 0x80)},
        {"description too long", encodeTimerCommand(tooLong)},
        {"seconds too many", encodeTimerCommand(tooLate)},
        {"seconds negative", encodeTimerCommand(negative)},
        {"nonsense", Bytes(64, 0xA5)},
    };
    for (const auto& [name, bytes] : bad) {
        TimerCommand untouched = tea;
        EXPECT_FALSE(decodeTimerCommand(bytes.data(), bytes.size(), untouched)) << name;
        EXPECT_EQ(untouched.description, tea.description) << name;
    }
    EXPECT_FALSE(decodeTimerCommand(nullptr, good.size(), back));
}
