#include <gtest/gtest.h>

#include <cmath>

#include "model/intersection.h"
#include "model/layer.h"
#include "model/reflection.h"
#include "scene_fixture.h"

using Reflection = SceneTest;

TEST_F(Reflection, ElevationSlopes)
{
    EXPECT_EQ(ElevationSlope(45), 1.0f);
    EXPECT_EQ(ElevationSlope(0), 0.0f);
    EXPECT_EQ(ElevationSlope(55), static_cast<float>(0.8191520594331982) / static_cast<float>(0.5735764147228771));
    EXPECT_NEAR(ElevationSlope(55), 1.428148, 1e-6);
    EXPECT_NEAR(ElevationSlope(27), 0.509525, 1e-6);
    // Against the libm tangent over the fan, allowing for the two roundings.
    for (float e = 55; e >= 27; e -= 2) {
        EXPECT_NEAR(ElevationSlope(e), std::tan(e * 0.017453293), 2e-7) << e;
    }
}

TEST_F(Reflection, DirectionAngles)
{
    EXPECT_EQ(DirectionAngle(Vec2{1, 1}), 45.0f);
    EXPECT_EQ(DirectionAngle(Vec2{-0.0f, 1}), 90.0f);
    EXPECT_EQ(DirectionAngle(Vec2{-1, 0}), static_cast<float>(std::atan2(0.0, -1.0) / 0.017453293));
    EXPECT_LT(DirectionAngle(Vec2{-1, -0.0f}), -179.99f);
}

TEST_F(Reflection, ReflectedAngleWrapsOnceAndKeepsBothEnds)
{
    EXPECT_EQ(ReflectedAngle(0, 90), 360.0f);
    EXPECT_EQ(ReflectedAngle(-10, 90), 10.0f);
    EXPECT_EQ(ReflectedAngle(180, 0), 0.0f);
    EXPECT_EQ(ReflectedAngle(170, -10), 350.0f);
    EXPECT_EQ(ReflectedAngle(55, 84.5f), 294.0f);
    EXPECT_EQ(ReflectedAngle(0, 180), 180.0f);  // 540 - 360
    EXPECT_TRUE(std::isnan(ReflectedAngle(NAN, 90)));
    // Rounded once at the end: the unrounded sum of floats decides.
    EXPECT_EQ(ReflectedAngle(1e-9f, 90), 360.0f);
}

TEST_F(Reflection, GroundReturnsAtTheAwkwardAngles)
{
    const Vec2 hit{300, 400};
    // A flat mirror: 45 degrees down returns one height further on.
    EXPECT_NEAR(GroundReturn(hit, 315).x, 700, 1e-3);
    EXPECT_EQ(GroundReturn(hit, 315).y, 0.0f);
    // 180 and 360 are not exact multiples of pi here: huge, finite, negative.
    const float at180 = GroundReturn(hit, 180).x;
    const float at360 = GroundReturn(hit, 360).x;
    EXPECT_TRUE(std::isfinite(at180));
    EXPECT_NEAR(at180 / hit.y, -1.16e7, 0.01e7);
    EXPECT_NEAR(at360 / hit.y, -5.8e6, 0.05e6);
    EXPECT_EQ(GroundReturn(hit, 0).x, -INFINITY);
}

TEST_F(Reflection, FlatLayerMirrorsAboutTheVertical)
{
    Scene.Amplitude = 0;
    Scene.RaySlope = ElevationSlope(55);
    const RayReflection r = ReflectRay(FindLayerHit(378));
    EXPECT_NEAR(r.Hit.x, 277.07, 0.01);
    EXPECT_EQ(r.Hit.y, 395.7f);
    EXPECT_EQ(r.NormalAngle, 90.0f);
    EXPECT_EQ(r.Reflected, 360.0f - r.Incoming);
    EXPECT_NEAR(r.Ground.x, 554.14, 0.01);
}

TEST_F(Reflection, FirstFrameFiftyFiveDegreeRay)
{
    UseFirstFrame();
    Scene.RaySlope = ElevationSlope(55);
    const RayReflection r = ReflectRay(FindLayerHit(378));
    EXPECT_NEAR(r.Incoming, 55, 1e-3);
    EXPECT_NEAR(r.Normal.x, 0.1015, 1e-4);
    EXPECT_EQ(r.Normal.y, 1.0f);
    EXPECT_NEAR(r.NormalAngle, 84.20, 0.005);
    EXPECT_NEAR(r.Reflected, 293.40, 0.005);
    EXPECT_NEAR(r.Ground.x, 450.1, 0.05);
    EXPECT_EQ(r.Ground.y, 0.0f);
    // The mirror property: the angle between the reversed ray and the normal
    // equals the angle between the normal and the reflected ray.
    EXPECT_NEAR((r.Incoming + 180) - r.NormalAngle, r.NormalAngle - (r.Reflected - 360), 1e-4);
}

TEST_F(Reflection, LayerShapeAndWhiskerEnds)
{
    UseFirstFrame();
    // The slope is the derivative of the height (central difference).
    for (double x = 0; x < 1400; x += 97) {
        const double numeric = (LayerHeight(x + 0.5) - LayerHeight(x - 0.5)) / 1.0;
        EXPECT_NEAR(LayerSlope(x), numeric, 2e-4) << x;
    }
    const Vec2Double end = WhiskerEnd(Vec2{0, 0}, Vec2{3, 4}, 10);
    EXPECT_EQ(end.x, 6.0);
    EXPECT_EQ(end.y, 8.0);
    const Vec2Double up = WhiskerEnd(Vec2{20, 397.25f}, Vec2{-0.0f, 1}, 80);
    EXPECT_EQ(up.x, 20.0);
    EXPECT_EQ(up.y, 477.25);
}

// The painter reflects its fan with the batched form; each ray must match
// ReflectRay field for field, misses and non-numbers included.
TEST_F(Reflection, ReflectingRaysTogetherMatchesReflectingThemOneByOne)
{
    UseFirstFrame();
    const Vec2 hits[] = {{277.07f, 395.7f}, {-999.0f, -999.0f}, {798.6f, 406.9f}, {0.0f, 0.0f},
                         {NAN, 400.0f},     {1e30f, -1e30f},    {-40.0f, 410.0f}};
    constexpr int count = sizeof hits / sizeof hits[0];
    RayReflection together[count];
    ReflectRays(hits, count, together);
    auto same = [](float a, float b) { return a == b || (std::isnan(a) && std::isnan(b)); };
    for (int ray = 0; ray < count; ++ray) {
        const RayReflection alone = ReflectRay(hits[ray]);
        const RayReflection& t = together[ray];
        EXPECT_TRUE(same(alone.Hit.x, t.Hit.x) && same(alone.Hit.y, t.Hit.y)) << ray;
        EXPECT_TRUE(same(alone.Incoming, t.Incoming)) << ray;
        EXPECT_TRUE(same(alone.Normal.x, t.Normal.x) && same(alone.Normal.y, t.Normal.y)) << ray;
        EXPECT_TRUE(same(alone.NormalAngle, t.NormalAngle)) << ray;
        EXPECT_TRUE(same(alone.Reflected, t.Reflected)) << ray;
        EXPECT_TRUE(same(alone.Ground.x, t.Ground.x) && same(alone.Ground.y, t.Ground.y)) << ray;
    }
}
