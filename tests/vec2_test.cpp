#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/vec2.h"

TEST(Vec2, ArithmeticIsComponentwiseSinglePrecision)
{
    const Vec2 a{1.5f, -2.0f};
    const Vec2 b{0.25f, 4.0f};
    EXPECT_EQ(Vec2Add(a, b).x, 1.75f);
    EXPECT_EQ(Vec2Sub(a, b).y, -6.0f);
    EXPECT_EQ(Vec2Scale(a, 2.0f).y, -4.0f);
    EXPECT_EQ(Vec2Div(b, 0.5f).y, 8.0f);
    EXPECT_EQ(Vec2Dot(a, b), 0.375f - 8.0f);
    // 0.1 + 0.2 in float is not 0.3 in float: the sum is rounded like a float.
    EXPECT_EQ(Vec2Add(Vec2{0.1f, 0}, Vec2{0.2f, 0}).x, 0.1f + 0.2f);
}

TEST(Vec2, LengthAndNormalize)
{
    EXPECT_EQ(Vec2Length(Vec2{3, 4}), 5.0f);
    const Vec2 unit = Vec2Normalize(Vec2{3, 4});
    EXPECT_EQ(unit.x, 0.6f);
    EXPECT_EQ(unit.y, 0.8f);
    // The squares are not rounded to float first: 1e20^2 would overflow a float.
    EXPECT_EQ(Vec2Length(Vec2{3e20f, 4e20f}), 5e20f);
}

TEST(Vec2, DegenerateInputsGiveIeeeValuesWithoutReport)
{
    const Vec2 none = Vec2Normalize(Vec2{0, 0});
    EXPECT_TRUE(std::isnan(none.x));
    EXPECT_TRUE(std::isnan(none.y));
    const Vec2 inf = Vec2Div(Vec2{1, -1}, 0.0f);
    EXPECT_EQ(inf.x, INFINITY);
    EXPECT_EQ(inf.y, -INFINITY);
}

TEST(Vec2, PrintWritesTwoSevenWideFields)
{
    testing::internal::CaptureStdout();
    Vec2Print(Vec2{1.0f, -2.5f});
    Vec2Print(Vec2{-123.45678f, 0.00004f});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " 1.0000  -2.5000\n-123.4568   0.0000\n");
}
