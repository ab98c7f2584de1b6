#include <gtest/gtest.h>

#include <cstring>

#include "books/book_price.h"

namespace {
struct PriceCase {
    int32_t coastInt;
    const char* coastFrac;
    int32_t forValue;
    const char* unit;
    const char* text;
    TimeHms elapsed;
    int64_t cents;  // what the Sum column shows after `elapsed`
};

const PriceCase priceCases[] = {
    {2, "5", 15, "minute", "2.5 per 15 minute", {0, 31, 10}, 500},
    {3, "05", 1, "hour", "3.05 per 1 hour", {2, 59, 59}, 610},
    {0, "5", 0, "second", "0.5 per second", {0, 0, 3}, 150},
    {0, "29", 1, "second", "0.29 per 1 second", {0, 0, 1}, 29},  // 0.29 * 100 is 28.999... in binary
    {7, "", 2, "Minute", "7 per 2 second", {0, 0, 5}, 1400},  // the unit charged, not the one typed
    {4, "5x", 1, "hour", "4.5 per 1 hour", {1, 0, 0}, 450},
    {-2, "5", 1, "hour", "-2.5 per 1 hour", {3, 0, 0}, -750},
    {0, "", 15, "minute", "", {5, 0, 0}, 0},
    {0, "00", 1, "hour", "", {5, 0, 0}, 0},
};

TEST(BookPrice, TextAsChargedAndSumInCentsAsShown) {
    for (const PriceCase& c : priceCases) {
        TimerRecord r;
        r.coastInt = c.coastInt;
        std::strcpy(r.coastFrac, c.coastFrac);
        r.forValue = c.forValue;
        std::strcpy(r.unit, c.unit);
        r.timeCurrent = c.elapsed;
        EXPECT_EQ(bookPriceText(r), c.text);
        EXPECT_EQ(sumCents(r), c.cents) << c.text;
    }
}
}  // namespace
