#include <gtest/gtest.h>

#include <chrono>
#include <climits>
#include <random>
#include <string>

#include "sets/ini_reader.h"
#include "timers/field_text.h"

namespace {
struct Ini {
    explicit Ini(std::string t) : text(std::move(t)), reader(text.data(), text.size()) {}
    std::string value(const char* section, const char* key) const {
        std::string_view v;
        return reader.findValue(section, key, v) ? std::string(v) : std::string("<missing>");
    }
    std::string text;
    IniReader reader;
};

double secondsSince(std::chrono::steady_clock::time_point start) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
}
}  // namespace

TEST(IniReaderTest, BlanksAroundTheEqualsSignAndAtLineEndsAreDropped) {
    Ini ini("[S]\r\nA = one\r\nB=two\r\nC   =\t three  \t\r\n  D = four\nE = \r\nF=a = b\r\nG = \"quoted\" ; kept\n");
    EXPECT_EQ(ini.value("S", "A"), "one");
    EXPECT_EQ(ini.value("S", "B"), "two");
    EXPECT_EQ(ini.value("S", "C"), "three");
    EXPECT_EQ(ini.value("S", "D"), "four") << "LF-only line";
    EXPECT_EQ(ini.value("S", "E"), "");
    EXPECT_EQ(ini.value("S", "F"), "a = b") << "only the first = splits";
    EXPECT_EQ(ini.value("S", "G"), "\"quoted\" ; kept");
    EXPECT_EQ(ini.value("S", "H"), "<missing>");
    EXPECT_EQ(ini.value("T", "A"), "<missing>");
}

TEST(IniReaderTest, NamesMatchWithoutRegardToCase) {
    Ini ini("[Timer_0]\nDescription = tea\n");
    EXPECT_EQ(ini.value("TIMER_0", "DESCRIPTION"), "tea");
    EXPECT_EQ(ini.value("timer_0", "description"), "tea");
    EXPECT_TRUE(ini.reader.hasSection("TIMER_0"));
}

TEST(IniReaderTest, FirstSectionAndFirstKeyWin) {
    Ini ini("[S]\nA = first\nA = second\n[T]\nA = t\n[s]\nA = third\nB = only in the repeat\n");
    EXPECT_EQ(ini.value("S", "A"), "first");
    EXPECT_EQ(ini.value("S", "B"), "<missing>");
    EXPECT_EQ(ini.value("T", "A"), "t");
}

TEST(IniReaderTest, CommentsStrayLinesAndOrphanKeysAreIgnored) {
    Ini ini("A = before any section\n[S]\n; A = comment\n# A = comment\njust words\n= no key\nA = real\n");
    EXPECT_EQ(ini.value("S", "A"), "real");
    EXPECT_EQ(ini.value("", "A"), "<missing>");
    EXPECT_EQ(ini.value("S", ""), "<missing>");
}

TEST(IniReaderTest, HeaderForms) {
    Ini ini("\xEF\xBB\xBF[First]\nA = 1\n  [ Spaced ]  trailing words\nA = 2\n[Unclosed\nA = 3\n");
    EXPECT_EQ(ini.value("First", "A"), "1") << "the byte-order mark is not part of the name";
    EXPECT_EQ(ini.value("Spaced", "A"), "2");
    EXPECT_EQ(ini.value("Unclosed", "A"), "3");
}

TEST(IniReaderTest, TextValuesAreCutToTheFieldAtACharacterBoundary) {
    setFieldTextEncoding(TextEncoding::Utf8);
    std::string longValue(300, 'x');
    std::string straddling = std::string(258, 'y') + "\xE2\x82\xAC";  // a euro sign across the cut
    Ini ini("[S]\nLONG = " + longValue + "\nEURO = " + straddling + "\n");
    char field[260];
    ini.reader.readText("S", "LONG", field, sizeof field);
    EXPECT_EQ(std::string(field), std::string(259, 'x'));
    ini.reader.readText("S", "EURO", field, sizeof field);
    EXPECT_EQ(std::string(field), std::string(258, 'y'));
    char small[4];
    ini.reader.readText("S", "LONG", small, sizeof small);
    EXPECT_STREQ(small, "xxx");
    ini.reader.readText("S", "NONE", field, sizeof field);
    EXPECT_STREQ(field, "");
}

TEST(IniReaderTest, NulBytesEndAValueButNotTheFile) {
    using namespace std::string_literals;
    Ini ini("[S]\nA = ab\0cd\n[T]\nB = after\n"s);
    char field[260];
    ini.reader.readText("S", "A", field, sizeof field);
    EXPECT_STREQ(field, "ab");
    EXPECT_EQ(ini.value("T", "B"), "after");
}

TEST(IniReaderTest, NumbersReadTheirLeadingDigitsAndClampTo32Bits) {
    Ini ini("[S]\nA = 42\nB = -7 apples\nC = apples\nD = 99999999999\nE = -99999999999\nF =\n");
    EXPECT_EQ(ini.reader.readInt("S", "A", 5), 42);
    EXPECT_EQ(ini.reader.readInt("S", "B", 5), -7);
    EXPECT_EQ(ini.reader.readInt("S", "C", 5), 0);
    EXPECT_EQ(ini.reader.readInt("S", "D", 5), INT_MAX);
    EXPECT_EQ(ini.reader.readInt("S", "E", 5), INT_MIN);
    EXPECT_EQ(ini.reader.readInt("S", "F", 5), 0);
    EXPECT_EQ(ini.reader.readInt("S", "missing", 5), 5);
}

TEST(IniReaderTest, EmptyAndNullTextsHoldNothing) {
    IniReader nothing(nullptr, 0);
    EXPECT_FALSE(nothing.hasSection("S"));
    Ini onlyMark("\xEF\xBB\xBF");
    EXPECT_FALSE(onlyMark.reader.hasSection(""));
}

// The limits below are far above what a linear reader needs; they catch a
// reader whose time grows with the square of the input.
TEST(IniReaderTest, HugeAndHostileTextsStayFast) {
    auto start = std::chrono::steady_clock::now();
    std::string many;
    for (int i = 0; i < 10000; ++i) many += "[S" + std::to_string(i) + "]\r\nK = " + std::to_string(i) + "\r\n";
    Ini sections(many);
    EXPECT_EQ(sections.value("S9999", "K"), "9999");
    EXPECT_EQ(sections.value("S0", "K"), "0");

    std::string line = "[S]\nK = " + std::string(10 * 1024 * 1024, 'v') + "\nL = after\n";
    Ini longLine(line);
    char field[260];
    longLine.reader.readText("S", "K", field, sizeof field);
    EXPECT_EQ(std::string(field).size(), 259u);
    EXPECT_EQ(longLine.value("S", "L"), "after");

    std::string headers(10 * 1024 * 1024, '[');  // one header line of ten million brackets
    Ini brackets(headers);
    EXPECT_FALSE(brackets.reader.hasSection("S"));

    std::mt19937 random(7);
    std::string garbage(4 * 1024 * 1024, '\0');
    for (char& c : garbage) c = static_cast<char>(random());
    Ini noise(garbage);
    for (int i = 0; i < 100; ++i) noise.reader.readInt("TIMER_" + std::to_string(i), "STATE", 0);
    EXPECT_LT(secondsSince(start), 20.0);
}
