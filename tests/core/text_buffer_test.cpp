#include <gtest/gtest.h>

#include <climits>
#include <string>

#include "sets/text_buffer.h"

namespace {
std::string textOf(const TextBuffer& b) { return std::string(b.text(), static_cast<std::size_t>(b.length())); }
}  // namespace

TEST(TextBuffer, StartsEmptyAndTerminated) {
    TextBuffer b;
    EXPECT_EQ(b.length(), 0);
    ASSERT_NE(b.text(), nullptr);
    EXPECT_EQ(b.text()[0], '\0');
}

TEST(TextBuffer, AppendsLineEndsNumbersAndTexts) {
    TextBuffer b;
    b.appendText("abc");
    b.appendLineEnd();
    EXPECT_EQ(textOf(b), "abc\r\n");
    EXPECT_EQ(b.length(), 5);
    for (int v : {0, 42, -7, 2147483647, -999999999}) {
        b.appendInt(v);
        b.appendText(",");
    }
    EXPECT_EQ(textOf(b), "abc\r\n0,42,-7,2147483647,-999999999,");
    EXPECT_EQ(b.text()[b.length()], '\0');
}

TEST(TextBuffer, AppendIntWritesEveryThirtyTwoBitValue) {
    TextBuffer b;
    b.appendInt(INT_MIN);
    b.appendInt(-1000000000);
    EXPECT_EQ(textOf(b), "-2147483648-1000000000");
}

TEST(TextBuffer, AppendTextOfNothingChangesNothingButStillCopies) {
    TextBuffer b;
    b.appendText("x");
    TextBuffer fromNull = b.appendText(nullptr);
    TextBuffer fromEmpty = b.appendText("");
    EXPECT_EQ(textOf(b), "x");
    EXPECT_EQ(textOf(fromNull), "x");
    EXPECT_EQ(textOf(fromEmpty), "x");
    EXPECT_NE(fromNull.text(), b.text());
}

TEST(TextBuffer, CopiesAreIndependent) {
    TextBuffer a;
    a.appendText("one");
    TextBuffer b(a);
    b.appendText("two");
    TextBuffer c;
    c = b;
    c.appendInt(3);
    EXPECT_EQ(textOf(a), "one");
    EXPECT_EQ(textOf(b), "onetwo");
    EXPECT_EQ(textOf(c), "onetwo3");
}

TEST(TextBuffer, LengthLimitStopsOnlyAppendText) {
    const int limit = TextBuffer::maxLength;
    std::string big(static_cast<std::size_t>(limit) - 1, 'a');
    TextBuffer b;
    b.appendText(big.c_str());
    EXPECT_EQ(b.length(), limit - 1);
    b.appendText("bc");  // would make limit + 1
    EXPECT_EQ(b.length(), limit - 1);
    b.appendText("b");  // exactly the limit is allowed
    EXPECT_EQ(b.length(), limit);
    b.appendLineEnd();
    b.appendInt(5);
    EXPECT_EQ(b.length(), limit + 3);
    b.appendText("z");
    EXPECT_EQ(b.length(), limit + 3);
    EXPECT_EQ(std::string(b.text() + limit - 1), "b\r\n5");
}

TEST(TextBuffer, UnterminatedSourceIsCountedOnlyUpToTheLimit) {
    // A source with no terminator in its first 2^24 characters counts as
    // 2^24 characters and is never read past that.
    std::string huge(static_cast<std::size_t>(TextBuffer::maxLength) + 10, 'q');
    TextBuffer b;
    b.appendText(huge.c_str());
    EXPECT_EQ(b.length(), TextBuffer::maxLength);
}
