#include <gtest/gtest.h>

#include <cstring>
#include <memory>

#include "timers/field_text.h"
#include "timers/timer_record.h"

// Without AddressSanitizer the header makes these do nothing; where there is
// no such header at all they do nothing as well.
#if defined(__has_include)
#if __has_include(<sanitizer/asan_interface.h>)
#include <sanitizer/asan_interface.h>
#endif
#endif
#ifndef ASAN_POISON_MEMORY_REGION
#define ASAN_POISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#define ASAN_UNPOISON_MEMORY_REGION(addr, size) ((void)(addr), (void)(size))
#endif

namespace {
TimeHms hms(int h, int m, int s) { return TimeHms{h, m, s}; }

TimerRecord pricedRecord(int coastInt, const char* coastFrac, int forValue, const char* unit, TimeHms elapsed) {
    TimerRecord r;
    r.coastInt = coastInt;
    std::strcpy(r.coastFrac, coastFrac);
    r.forValue = forValue;
    std::strcpy(r.unit, unit);
    r.timeCurrent = elapsed;
    return r;
}
}  // namespace

TEST(TimeText, FormatsTwoDigitsAndGrowsPastNinetyNineHours) {
    EXPECT_EQ(formatTimeText(hms(1, 2, 3)), "01:02:03");
    EXPECT_EQ(formatTimeText(hms(99, 59, 59)), "99:59:59");
    EXPECT_EQ(formatTimeText(hms(100, 0, 0)), "100:00:00");
}

TEST(TimeText, ParsesOnlyEightCharacterTexts) {
    TimeHms t = parseTimeText("01:02:03");
    EXPECT_EQ(t.hours, 1);
    EXPECT_EQ(t.minutes, 2);
    EXPECT_EQ(t.seconds, 3);
    for (const char* bad : {"1:02:03", "100:00:00", "", "ab:cd:ef"}) {
        EXPECT_TRUE(isZeroTime(parseTimeText(bad))) << bad;
    }
    EXPECT_TRUE(isZeroTime(parseTimeText(nullptr)));
    // Separators are not checked, and each pair stops at its first non-digit.
    t = parseTimeText("12x34y5z");
    EXPECT_EQ(t.hours, 12);
    EXPECT_EQ(t.minutes, 34);
    EXPECT_EQ(t.seconds, 5);
}

TEST(TimeLeft, CountsDownToZeroAndNeverBelow) {
    TimerRecord r;
    r.timeSet = hms(1, 0, 0);
    r.timeCurrent = hms(0, 0, 1);
    computeTimeLeft(r);
    EXPECT_EQ(formatTimeText(r.timeLeft), "00:59:59");

    r.timeCurrent = hms(2, 0, 0);
    computeTimeLeft(r);
    EXPECT_TRUE(isZeroTime(r.timeLeft));

    r.timeSet = hms(150, 0, 0);  // hours are not capped
    r.timeCurrent = hms(0, 0, 0);
    computeTimeLeft(r);
    EXPECT_EQ(r.timeLeft.hours, 150);
}

TEST(Price, FractionIsTheDigitsAsTyped) {
    EXPECT_DOUBLE_EQ(costValue(pricedRecord(3, "", 0, "", {})), 3.0);
    EXPECT_DOUBLE_EQ(costValue(pricedRecord(3, "5", 0, "", {})), 3.5);
    EXPECT_DOUBLE_EQ(costValue(pricedRecord(3, "05", 0, "", {})), 3.05);
    EXPECT_DOUBLE_EQ(costValue(pricedRecord(-2, "5", 0, "", {})), -2.5);
    EXPECT_DOUBLE_EQ(costValue(pricedRecord(0, "x", 0, "", {})), 0.0);
}

TEST(Price, UnterminatedFractionFieldIsNotReadPastItsEnd) {
    // A read past the field runs on into the record's next field, which the
    // cut to the field's size would hide from the result; the sanitizer build
    // is told that the rest of the record is out of bounds, so it reports it.
    std::unique_ptr<TimerRecord> r(new TimerRecord(pricedRecord(1, "", 0, "", {})));
    std::memset(r->coastFrac, '7', sizeof r->coastFrac);  // no terminator at all
    char* afterField = r->coastFrac + sizeof r->coastFrac;
    const std::size_t restOfRecord = sizeof *r - (afterField - reinterpret_cast<char*>(r.get()));
    ASAN_POISON_MEMORY_REGION(afterField, restOfRecord);
    EXPECT_DOUBLE_EQ(costValue(*r), 1.777);
    ASAN_UNPOISON_MEMORY_REGION(afterField, restOfRecord);

    // Where nothing follows: a source of exactly the field's size on the
    // heap, in which the sanitizer build reports any byte read beyond it.
    std::unique_ptr<char[]> exact(new char[coastFracSize]);
    std::memset(exact.get(), '7', coastFracSize);
    char field[coastFracSize];
    copyFieldText(field, sizeof field, exact.get());
    EXPECT_STREQ(field, "777");
}

TEST(ServiceSum, ChargesCompletedPeriodsOnly) {
    // 2.5 per 15 minutes, 31:10 elapsed: two periods.
    EXPECT_EQ(serviceSum(pricedRecord(2, "5", 15, "minute", hms(0, 31, 10))).text, "5.00");
    EXPECT_EQ(serviceSum(pricedRecord(2, "5", 15, "minute", hms(0, 14, 59))).text, "0.00");
    EXPECT_EQ(serviceSum(pricedRecord(7, "25", 3, "hour", hms(0, 0, 0))).text, "0.00");
}

TEST(ServiceSum, UnitIsChosenByCaseSensitiveFirstLetter) {
    // forValue 0 charges per single unit.
    EXPECT_EQ(serviceSum(pricedRecord(1, "", 0, "minute", hms(0, 2, 30))).text, "2.00");
    EXPECT_EQ(serviceSum(pricedRecord(1, "", 0, "hour", hms(2, 30, 0))).text, "2.00");
    EXPECT_EQ(serviceSum(pricedRecord(1, "", 0, "Minute", hms(0, 2, 30))).text, "150.00");
    EXPECT_EQ(serviceSum(pricedRecord(1, "", 0, "", hms(0, 0, 42))).text, "42.00");
}

TEST(ServiceSum, CentsAreRoundedFromTheHalfCent) {
    EXPECT_EQ(serviceSum(pricedRecord(0, "05", 0, "second", hms(0, 0, 3))).text, "0.15");
    EXPECT_EQ(serviceSum(pricedRecord(0, "1", 0, "second", hms(0, 0, 3))).text, "0.30");
    EXPECT_EQ(serviceSum(pricedRecord(12, "34", 1, "hour", hms(10, 0, 0))).text, "123.40");
}

TEST(ServiceSum, NegativePriceFromAHandEditedFileKeepsOneSign) {
    EXPECT_EQ(serviceSum(pricedRecord(-5, "5", 0, "second", hms(0, 0, 1))).text, "-5.50");
    EXPECT_EQ(serviceSum(pricedRecord(0, "5", -1, "second", hms(0, 0, 1))).text, "-0.50");
    EXPECT_EQ(serviceSum(pricedRecord(-1, "", 0, "second", hms(0, 0, 3))).text, "-3.00");
}

TEST(ServiceSum, LargestPriceOverLongTimeDoesNotOverflow) {
    ServiceSum s = serviceSum(pricedRecord(2147483647, "99", 1, "second", hms(99, 59, 59)));
    EXPECT_EQ(s.text.substr(0, 7), "7730919");
    EXPECT_EQ(s.text.find('-'), std::string::npos);
}
