// The layer and ray model against independent references: bisection for the
// intersection, hand-worked values for the angle folds and the plane helpers.
#include <gtest/gtest.h>

#include <cmath>

#include "model/intersection.h"
#include "model/random.h"
#include "model/reflection.h"
#include "model/vec2.h"
#include "scene_fixture.h"

using Model = SceneTest;

TEST(PlaneHelpers, OneCaseEach)
{
    EXPECT_EQ(Vec2Sub(Vec2Add(Vec2{1.5f, -2}, Vec2{0.25f, 4}), Vec2{1, 1}).y, 1.0f);
    EXPECT_EQ(Vec2Div(Vec2Scale(Vec2{3, 4}, 2), 0.5f).x, 12.0f);
    EXPECT_EQ(Vec2Dot(Vec2{1.5f, -2}, Vec2{0.25f, 4}), -7.625f);
    EXPECT_EQ(Vec2Length(Vec2{3e20f, 4e20f}), 5e20f);  // squares not rounded to float
    EXPECT_TRUE(Vec2Normalize(Vec2{3, 4}).y == 0.8f && std::isnan(Vec2Normalize(Vec2{0, 0}).x));
    testing::internal::CaptureStdout();
    Vec2Print(Vec2{1.0f, -2.5f});
    EXPECT_EQ(testing::internal::GetCapturedStdout(), " 1.0000  -2.5000\n");
}

// Each search must fail the way the program relies on: NoHit, also in
// Scene.LayerHit, whatever the last iterate was.
TEST_F(Model, FailedSearchesGiveNoHit)
{
    const struct {
        const char* Why;
        float Altitude, Amplitude, WaveNumber, PhaseOffset, Slope;
    } cases[] = {
        // 1.0 doubles as the failure value, so a genuine root there is lost.
        {"root at exactly 1", 1, 0, 0, 0, 1},
        // At the first guess m - kA cos u = 0.5 - 10 * 0.05 * cos 0 = 0.
        {"zero denominator", 395.7f, 10, 0.05f, -378, 0.5f},
        // Newton overshoots into a cycle: 136.4, 465.1, -36.7, 135.9, ...
        {"cycling search", 150, 22, static_cast<float>(120 * 0.00017453293), 165, ElevationSlope(33)},
    };
    for (const auto& c : cases) {
        Scene.Altitude = c.Altitude, Scene.Amplitude = c.Amplitude, Scene.WaveNumber = c.WaveNumber;
        Scene.PhaseOffset = c.PhaseOffset, Scene.RaySlope = c.Slope;
        Scene.LayerHit = Vec2{1, 1};
        const Vec2 hit = FindLayerHit(378);
        EXPECT_TRUE(SolveRayLayer(378) == SolverFailure && hit.x == NoHit.x && hit.y == NoHit.y) << c.Why;
        EXPECT_TRUE(Scene.LayerHit.x == NoHit.x && Scene.LayerHit.y == NoHit.y) << c.Why;
    }
    Scene = StartSceneState();
    Scene.Amplitude = 0, Scene.Altitude = 2, Scene.RaySlope = 1;  // one unit higher: found
    EXPECT_NEAR(FindLayerHit(378).x, 2.0, 1e-6);
}

// Bisection on the gap, in double with double sines.
static double BisectedRoot()
{
    const double m = Scene.RaySlope, A = Scene.Amplitude, H = Scene.Altitude;
    const double k = Scene.WaveNumber, t = Scene.PhaseOffset;
    double lo = (H - A) / m - 1, hi = (H + A) / m + 1;
    for (int i = 0; i < 100; ++i) {
        const double mid = (lo + hi) / 2;
        (m * mid - (A * std::sin(k * (mid + t)) + H) < 0 ? lo : hi) = mid;
    }
    return lo;
}

TEST_F(Model, NewtonAgreesWithBisectionAcrossTheSliderRanges)
{
    int compared = 0, failed = 0;
    for (int altitude = 100; altitude <= 400; altitude += 60) {
        for (int amplitude = 0; amplitude <= 22; amplitude += 2) {
            for (int frequency = 0; frequency <= 120; frequency += 10) {
                for (float offset : {52.5f, 1234.5f, 98765.0f}) {
                    for (float elevation = 55; elevation >= 27; elevation -= 2) {
                        Scene.Altitude = static_cast<float>(altitude), Scene.Amplitude = static_cast<float>(amplitude);
                        Scene.WaveNumber = static_cast<float>(frequency * 0.00017453293);
                        Scene.PhaseOffset = offset, Scene.RaySlope = ElevationSlope(elevation);
                        const Vec2 hit = FindLayerHit(378);
                        if (hit.x == NoHit.x) {
                            ++failed;
                            continue;
                        }
                        ASSERT_NEAR(hit.x, BisectedRoot(), 0.05) << altitude << " " << amplitude << " " << frequency;
                        EXPECT_NEAR(RayLayerGap(hit.x), 0.0, 0.1);
                        EXPECT_NEAR(RayLayerGapSlope(hit.x), RayLayerGap(hit.x + 0.5) - RayLayerGap(hit.x - 0.5), .01);
                        ++compared;
                    }
                }
            }
        }
    }
    // Overshooting cycles happen, but only at high frequency times amplitude.
    EXPECT_TRUE(failed > 0 && failed < compared / 20) << failed << " of " << compared;
}

TEST_F(Model, ReflectedAngleFoldsOnceAndKeepsBothEnds)
{
    const struct {
        float Incoming, Normal, Reflected;
    } cases[] = {{0, 90, 360}, {-10, 90, 10}, {180, 0, 0}, {170, -10, 350}, {0, 180, 180}, {1e-9f, 90, 360}};
    for (const auto& c : cases) {
        EXPECT_EQ(ReflectedAngle(c.Incoming, c.Normal), c.Reflected) << c.Incoming << " " << c.Normal;
    }
    EXPECT_TRUE(std::isnan(ReflectedAngle(NAN, 90)));
}

// A seed must give the same numbers every time and a neighbouring seed
// other ones; uniform values must fill [0, 1) and normal ones have the
// moments the random components built from them rely on.
TEST(RandomNumbers, SeededRepeatableAndNormal)
{
    Random a = SeededRandom(7), b = SeededRandom(7), c = SeededRandom(8);
    int sameAsNeighbour = 0;
    for (int i = 0; i < 1000; ++i) {
        const std::uint64_t x = NextRandom(a);
        ASSERT_EQ(x, NextRandom(b));
        sameAsNeighbour += x == NextRandom(c);
    }
    EXPECT_EQ(sameAsNeighbour, 0);
    double sum = 0, squares = 0, lowest = 1, highest = 0;
    constexpr int Count = 200000;
    for (int i = 0; i < Count; ++i) {
        const double u = RandomUniform(a), z = RandomNormal(a);
        lowest = std::fmin(lowest, u), highest = std::fmax(highest, u);
        sum += z, squares += z * z;
    }
    EXPECT_TRUE(lowest >= 0 && lowest < 1e-4 && highest < 1 && highest > 1 - 1e-4);
    EXPECT_NEAR(sum / Count, 0, 0.01);
    EXPECT_NEAR(squares / Count, 1, 0.01);
}
