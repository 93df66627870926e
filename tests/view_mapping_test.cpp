#include <gtest/gtest.h>

#include <cmath>

#include "render/view_mapping.h"

TEST(ViewMapping, FixedWorldPoints)
{
    EXPECT_EQ(MapToScreenX(0), 6);    // the transmitter ...
    EXPECT_EQ(MapToScreenY(0), 490);  // ... and the ground
    EXPECT_EQ(MapToScreenX(-10), 0);
    EXPECT_EQ(MapToScreenX(1500), 999);  // the float factor is slightly low
    EXPECT_EQ(MapToScreenY(-10), 500);
    EXPECT_EQ(MapToScreenY(500), 0);   // -6e-7 truncates to 0, a floor would give -1
    EXPECT_EQ(MapToScreenX(-15), -3);  // -3.31 truncates toward zero
    EXPECT_EQ(MapToScreenY(1000), -490);
}

TEST(ViewMapping, UnmappableValues)
{
    EXPECT_EQ(MapToScreenX(-4.6e9), UnmappablePixel);
    EXPECT_EQ(MapToScreenX(NAN), UnmappablePixel);
    EXPECT_EQ(MapToScreenY(INFINITY), UnmappablePixel);
    EXPECT_EQ(MapToScreenX(-INFINITY), UnmappablePixel);
    EXPECT_EQ(MapToScreenY(-3e9), UnmappablePixel);
    // The last representable results on either side, and one past them.
    EXPECT_EQ(TruncateToInt(2147483647.99), 2147483647);
    EXPECT_EQ(TruncateToInt(2147483648.0), UnmappablePixel);
    EXPECT_EQ(TruncateToInt(-2147483648.99), -2147483647 - 1);
    EXPECT_EQ(TruncateToInt(-2147483649.0), UnmappablePixel);
    EXPECT_EQ(TruncateToInt(-0.99), 0);
}

TEST(ViewMapping, FastTruncationAgreesWithTheSpelledOutRule)
{
    const double edges[] = {0.0,           -0.0,         0.5,          -0.5,          1e-300,
                            2147483647.0,  2147483647.5, 2147483648.0, -2147483648.0, -2147483648.5,
                            -2147483649.0, 4.6e9,        -4.6e9,       1e300,         -1e300,
                            INFINITY,      -INFINITY,    NAN,          -NAN};
    for (double v : edges) {
        EXPECT_EQ(TruncateToInt(v), TruncateToIntPortable(v)) << v;
    }
    // A sweep across the whole double range, by exponent and mantissa bits.
    for (int exponent = -20; exponent < 40; ++exponent) {
        for (double mantissa = 1.0; mantissa < 2.0; mantissa += 0.0078125) {
            const double v = std::ldexp(mantissa, exponent);
            ASSERT_EQ(TruncateToInt(v), TruncateToIntPortable(v)) << v;
            ASSERT_EQ(TruncateToInt(-v), TruncateToIntPortable(-v)) << -v;
        }
    }
}

TEST(ViewMapping, GeneralRuleAgreesWithTheFixedMappings)
{
    // MapRange keeps its ratio in double; the fixed mappings round it to
    // float. Across the world window they differ by at most a pixel.
    int differences = 0;
    for (float v = -10; v <= 1500; v += 0.37f) {
        const int general = MapRange(0, 1000, -10, 1500, v);
        EXPECT_NEAR(general, MapToScreenX(v), 1) << v;
        differences += general != MapToScreenX(v);
        EXPECT_NEAR(MapRange(500, 0, -10, 500, v / 3), MapToScreenY(v / 3), 1) << v;
    }
    EXPECT_LT(differences, 10);
    EXPECT_EQ(MapRange(0, 1000, -10, 1500, 1500), 1000);
    EXPECT_EQ(MapRange(0, 1000, -10, 1500, NAN), UnmappablePixel);
    // The span is a 32-bit difference: 2^32 - 1 wraps to -1, and
    // -2^31 - 0.5 cannot be held. Empty input ranges stay defined too.
    EXPECT_EQ(MapRange(-2147483647 - 1, 2147483647, 0, 1, 0.5f), UnmappablePixel);
    EXPECT_EQ(MapRange(-2147483647 - 1, 2147483647, 0, 1, -0.5f), -2147483647);
    EXPECT_EQ(MapRange(0, 10, 3, 3, 3), UnmappablePixel);
}
