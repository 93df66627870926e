#include <gtest/gtest.h>

#include <cmath>

#include "render/view_mapping.h"

TEST(ViewMapping, FixedWorldPointsTruncateTowardZero)
{
    const struct {
        double World;
        int Column, Row;
    } cases[] = {
        {0, 6, 490},        // the transmitter and the ground
        {-10, 0, 500},      // the window's corner
        {1500, 999, -980},  // the float factor is slightly low: not 1000
        {500, 337, 0},      // about -6e-7 before truncation: 0, where a floor gives -1
        {-15, -3, 504},     // -3.31 truncates toward zero, not to -4
    };
    for (const auto& c : cases) {
        EXPECT_EQ(MapToScreenX(c.World), c.Column) << c.World;
        EXPECT_EQ(MapToScreenY(c.World), c.Row) << c.World;
    }
    EXPECT_EQ(MapRange(0, 1000, -10, 1500, 1500), 1000);  // the general rule keeps its ratio in double
}

TEST(ViewMapping, UnmappableValuesAndTheEdgesOfInt)
{
    for (double v : {-4.6e9, 4e9, double(NAN), double(INFINITY), -double(INFINITY)}) {
        EXPECT_EQ(MapToScreenX(v), UnmappablePixel) << v;
        EXPECT_EQ(MapToScreenY(v), UnmappablePixel) << v;
    }
    EXPECT_TRUE(TruncateToInt(2147483647.99) == 2147483647 && TruncateToInt(2147483648.0) == UnmappablePixel);
    EXPECT_TRUE(TruncateToInt(-2147483648.99) == -2147483647 - 1 && TruncateToInt(-2147483649.0) == UnmappablePixel);
    EXPECT_EQ(TruncateToInt(-0.99), 0);
    // The branch-free conversion against the spelled-out rule, across the
    // whole range by exponent and mantissa.
    for (int exponent = -20; exponent < 40; ++exponent) {
        for (double mantissa = 1.0; mantissa < 2.0; mantissa += 0.0078125) {
            const double v = std::ldexp(mantissa, exponent);
            ASSERT_EQ(TruncateToInt(v), TruncateToIntPortable(v)) << v;
            ASSERT_EQ(TruncateToInt(-v), TruncateToIntPortable(-v)) << -v;
        }
    }
}
