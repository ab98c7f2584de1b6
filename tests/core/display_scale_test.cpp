#include <gtest/gtest.h>

#include <climits>
#include <initializer_list>
#include <utility>

#include "display/display_scale.h"

TEST(DisplayScale, LengthsForTheCommonScalesRoundAsTheSystemDoes) {
    struct Case { int dpi; int widths[5]; int clock; };
    const Case cases[] = {
        {96, {75, 60, 60, 60, 200}, 80},
        {120, {94, 75, 75, 75, 250}, 100},
        {144, {113, 90, 90, 90, 300}, 120},  // 112.5 rounds up
        {192, {150, 120, 120, 120, 400}, 160},
    };
    const int base[5] = {75, 60, 60, 60, 200};
    for (const Case& c : cases) {
        for (int i = 0; i < 5; ++i) EXPECT_EQ(scaleForDpi(base[i], c.dpi), c.widths[i]) << c.dpi;
        EXPECT_EQ(scaleForDpi(80, c.dpi), c.clock);
        EXPECT_EQ(scaleForDpi(0, c.dpi), 0) << "a hidden column stays hidden";
    }
    // Halves go away from zero on both sides, as font heights may be negative.
    EXPECT_EQ(rescaleLength(-75, 96, 144), -113);
    EXPECT_EQ(rescaleLength(3, 96, 48), 2);
    EXPECT_EQ(rescaleLength(-3, 96, 48), -2);
}

TEST(DisplayScale, AWidthCarriedBetweenMonitorsKeepsItsProportion) {
    // A column the user dragged to 137 pixels travels over four monitors and
    // comes home within a pixel of where it left.
    int width = 137, dpi = 96;
    for (int next : {120, 144, 192, 168, 96}) {
        width = rescaleLength(width, dpi, next);
        EXPECT_NEAR(width, 137.0 * next / 96, 1.0) << next;
        dpi = next;
    }
    EXPECT_EQ(rescaleLength(137, 96, 144), 206);
    EXPECT_EQ(rescaleLength(206, 144, 96), 137);
    // Nonsense from a message is neither a division by zero nor a wrap.
    EXPECT_EQ(rescaleLength(50, 0, 144), 50);
    EXPECT_EQ(rescaleLength(INT_MAX / 2, 96, 960), INT_MAX);
}

TEST(DisplayScale, ThePictureForADpiIsTheSmallestDrawnLargeEnough) {
    const int drawn[] = {96, 144, 192};
    const std::pair<int, int> picks[] = {{72, 0}, {96, 0}, {97, 1}, {120, 1}, {144, 1},
                                         {168, 2}, {192, 2}, {288, 2}};
    for (auto [dpi, index] : picks) EXPECT_EQ(pickRendition(dpi, drawn, 3), index) << dpi;
}
