#include <gtest/gtest.h>

#include <cmath>

#include "model/intersection.h"
#include "model/reflection.h"
#include "scene_fixture.h"

using Intersection = SceneTest;

TEST_F(Intersection, StartValuesAndDerivedWaveNumber)
{
    EXPECT_FLOAT_EQ(Scene.WaveNumber, 0.0090757124f);
    EXPECT_EQ(Scene.WaveNumber, static_cast<float>(0.52f * 0.017453293));
    EXPECT_EQ(Scene.ShowNormals, 1);
    EXPECT_EQ(Scene.ShowTangents, 0);
}

TEST_F(Intersection, FirstFrameHitsOfTheOuterRays)
{
    UseFirstFrame();
    ASSERT_EQ(Scene.PhaseOffset, 52.5f);

    Scene.RaySlope = ElevationSlope(55);
    RayLayerSearch search = SearchRayLayer(378);
    EXPECT_TRUE(search.Converged);
    EXPECT_EQ(search.Steps, 3);
    Vec2 hit = FindLayerHit(378);
    EXPECT_NEAR(hit.x, 278.2, 0.05);
    EXPECT_NEAR(hit.y, 397.3, 0.05);
    EXPECT_EQ(Scene.LayerHit.x, hit.x);
    EXPECT_EQ(Scene.LayerHit.y, hit.y);

    Scene.RaySlope = ElevationSlope(27);
    search = SearchRayLayer(378);
    EXPECT_TRUE(search.Converged);
    EXPECT_EQ(search.Steps, 4);
    hit = FindLayerHit(378);
    EXPECT_NEAR(hit.x, 798.6, 0.05);
    EXPECT_NEAR(hit.y, 406.9, 0.05);
}

TEST_F(Intersection, FlatLayerIsMetAtAltitudeOverSlope)
{
    for (float elevation = 55; elevation >= 27; elevation -= 2) {
        Scene.RaySlope = ElevationSlope(elevation);
        const double expected = Scene.Altitude / Scene.RaySlope;

        Scene.Amplitude = 0;
        Vec2 hit = FindLayerHit(378);
        EXPECT_NEAR(hit.x, expected, 1.0) << elevation;
        EXPECT_EQ(hit.y, Scene.Altitude);

        Scene.Amplitude = 11.3f;
        Scene.WaveNumber = 0;
        hit = FindLayerHit(378);
        EXPECT_NEAR(hit.x, expected, 1.0) << elevation;
        EXPECT_EQ(hit.y, Scene.Altitude);
    }
}

TEST_F(Intersection, FirstGuessAtTheRootEndsAfterOneStep)
{
    UseFirstFrame();
    Scene.RaySlope = ElevationSlope(41);
    const Vec2 hit = FindLayerHit(378);
    const RayLayerSearch again = SearchRayLayer(hit.x);
    EXPECT_TRUE(again.Converged);
    EXPECT_EQ(again.Steps, 1);
}

// 1.0 doubles as the solver's failure value, so a genuine root there is lost.
TEST_F(Intersection, RootAtExactlyOneIsReportedAsNoHit)
{
    Scene.Amplitude = 0;
    Scene.Altitude = 1;
    Scene.RaySlope = ElevationSlope(45);
    ASSERT_EQ(Scene.RaySlope, 1.0f);
    EXPECT_EQ(SolveRayLayer(378), 1.0);
    const Vec2 hit = FindLayerHit(378);
    EXPECT_EQ(hit.x, -999.0f);
    EXPECT_EQ(hit.y, -999.0f);

    Scene.Altitude = 2;  // the same layer one unit higher is found
    EXPECT_NEAR(FindLayerHit(378).x, 2.0, 1e-6);
}

TEST_F(Intersection, ZeroDenominatorRunsOutOfStepsWithNoHit)
{
    // At the first guess u = 0, so cos u = 1 and m - kA cos u = 0.5 - 0.5.
    Scene.PhaseOffset = -378;
    Scene.Amplitude = 10;
    Scene.WaveNumber = 0.05f;
    Scene.RaySlope = 0.5f;
    const RayLayerSearch search = SearchRayLayer(378);
    EXPECT_FALSE(search.Converged);
    EXPECT_EQ(search.Steps, 100);
    EXPECT_EQ(SolveRayLayer(378), 1.0);
    FindLayerHit(378);
    EXPECT_EQ(Scene.LayerHit.x, -999.0f);
    EXPECT_EQ(Scene.LayerHit.y, -999.0f);
}

TEST_F(Intersection, OvershootingSearchCyclesAndFails)
{
    Scene.Altitude = 150;
    Scene.Amplitude = 22;
    Scene.WaveNumber = static_cast<float>(120 * 0.00017453293);
    Scene.PhaseOffset = 165;
    Scene.RaySlope = ElevationSlope(33);
    EXPECT_NEAR(Scene.RaySlope, 0.64940763, 1e-7);

    // The iterates come back to the same three places: 136.4, 465.1, -36.7, ...
    float x = 378;
    const float expected[] = {136.4f, 465.1f, -36.7f, 135.9f, 465.3f, -34.7f};
    for (float want : expected) {
        const float u = static_cast<float>(Scene.WaveNumber * (static_cast<double>(x) + Scene.PhaseOffset));
        const double next = x - RayLayerGap(x) / static_cast<double>(RayLayerGapSlope(x));
        EXPECT_NEAR(next, want, 0.15) << "from " << x << " (u = " << u << ")";
        x = static_cast<float>(next);
    }
    const RayLayerSearch search = SearchRayLayer(378);
    EXPECT_FALSE(search.Converged);
    EXPECT_EQ(search.Steps, 100);
    EXPECT_EQ(FindLayerHit(378).x, -999.0f);
}

// Independent reference: bisection on the gap, in double with double sines,
// over the sliders' whole ranges. Only searches that converged are compared.
static double BisectRoot()
{
    const double m = Scene.RaySlope, A = Scene.Amplitude, H = Scene.Altitude;
    const double k = Scene.WaveNumber, t = Scene.PhaseOffset;
    auto gap = [&](double x) { return m * x - (A * std::sin(k * (x + t)) + H); };
    double lo = (H - A) / m - 1, hi = (H + A) / m + 1;
    for (int i = 0; i < 200; ++i) {
        const double mid = (lo + hi) / 2;
        (gap(mid) < 0 ? lo : hi) = mid;
    }
    return (lo + hi) / 2;
}

TEST_F(Intersection, NewtonAgreesWithBisectionAcrossTheSliderRanges)
{
    int compared = 0, failed = 0;
    double worst = 0;
    for (int altitude = 100; altitude <= 400; altitude += 30) {
        for (int amplitude = 0; amplitude <= 22; amplitude += 2) {
            for (int frequency = 0; frequency <= 120; frequency += 10) {
                for (float offset : {0.0f, 52.5f, 1234.5f, 98765.0f}) {
                    for (float elevation = 55; elevation >= 27; elevation -= 2) {
                        Scene.Altitude = static_cast<float>(altitude);
                        Scene.Amplitude = static_cast<float>(amplitude);
                        Scene.WaveNumber = static_cast<float>(frequency * 0.00017453293);
                        Scene.PhaseOffset = offset;
                        Scene.RaySlope = ElevationSlope(elevation);
                        const Vec2 hit = FindLayerHit(378);
                        if (hit.x == -999.0f) {
                            ++failed;
                            continue;
                        }
                        const double error = std::fabs(hit.x - BisectRoot());
                        worst = std::max(worst, error);
                        ASSERT_LT(error, 0.05)
                            << altitude << " " << amplitude << " " << frequency << " " << offset << " " << elevation;
                        ++compared;
                    }
                }
            }
        }
    }
    EXPECT_GT(compared, 20000);
    // Overshooting cycles happen, but only at high frequency times amplitude.
    EXPECT_GT(failed, 0);
    EXPECT_LT(failed, compared / 20);
    RecordProperty("WorstError", std::to_string(worst));
}

// The painter traces its fan with the batched search; every ray must come out
// exactly as its own search would give it, converged, cycling or not a number.
TEST_F(Intersection, SearchingRaysTogetherMatchesSearchingThemOneByOne)
{
    float slopes[15];
    for (int ray = 0; ray < 15; ++ray) {
        slopes[ray] = ElevationSlope(55.0f - 2.0f * static_cast<float>(ray));
    }
    slopes[3] = 0.0f;          // a ray along the ground, far below the layer
    slopes[7] = NAN;           // every step is not a number
    slopes[11] = -slopes[11];  // a ray going down
    int differing = 0, failing = 0, converged = 0;
    for (int altitude = 100; altitude <= 400; altitude += 100) {
        for (int amplitude = 0; amplitude <= 22; amplitude += 11) {
            for (int frequency = 0; frequency <= 120; frequency += 30) {
                for (float offset : {0.0f, 52.5f, 165.0f, 98765.0f}) {
                    Scene.Altitude = static_cast<float>(altitude);
                    Scene.Amplitude = static_cast<float>(amplitude);
                    Scene.WaveNumber = static_cast<float>(frequency * 0.00017453293);
                    Scene.PhaseOffset = offset;
                    RayLayerSearch together[15];
                    SearchRayLayers(slopes, 15, 378, together);
                    for (int ray = 0; ray < 15; ++ray) {
                        Scene.RaySlope = slopes[ray];
                        const RayLayerSearch alone = SearchRayLayer(378);
                        const bool sameX =
                            alone.X == together[ray].X || (std::isnan(alone.X) && std::isnan(together[ray].X));
                        differing +=
                            !sameX || alone.Steps != together[ray].Steps || alone.Converged != together[ray].Converged;
                        failing += !alone.Converged;
                        converged += alone.Converged;
                    }
                }
            }
        }
    }
    EXPECT_EQ(differing, 0);
    EXPECT_GT(failing, 100);
    EXPECT_GT(converged, 2000);
}

TEST_F(Intersection, RecordedHitIsTheFoundHit)
{
    UseFirstFrame();
    Scene.RaySlope = ElevationSlope(41);
    const RayLayerSearch search = SearchRayLayer(378);
    const Vec2 found = FindLayerHit(378);
    Scene.LayerHit = NoHit;
    const Vec2 recorded = RecordLayerHit(search);
    EXPECT_EQ(recorded.x, found.x);
    EXPECT_EQ(recorded.y, found.y);
    EXPECT_EQ(Scene.LayerHit.x, found.x);
    // A search that ran out of steps records NoHit, whatever its last iterate.
    EXPECT_EQ(RecordLayerHit(RayLayerSearch{500.0, SolverStepLimit, false}).x, NoHit.x);
    EXPECT_EQ(Scene.LayerHit.y, NoHit.y);
}
