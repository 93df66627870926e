#include <gtest/gtest.h>

#include <cmath>

#include "model/exact_remainder.h"
#include "model/layer_crossing.h"
#include "model/random.h"
#include "model/receiver.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
const double SteepWaveNumber = static_cast<float>(120 * 0.00017453293);  // the sliders' ends
const double DefaultWaveNumber = static_cast<float>(0.52 * 0.017453293);

double FanElevation(int ray) { return (1.0 + 88.0 * ray / (DefaultFanRays - 1)) * Pi / 180; }

// g(x) = m x - A sin(k (x + t)) - H, straight from the layer's definition.
double Gap(const LayerDouble& layer, double slope, double x)
{
    return slope * x - layer.Amplitude * std::sin(layer.WaveNumber * (x + layer.PhaseOffset)) - layer.Altitude;
}

// The first sign change of g on a grid 4096 to the ripple's wavelength,
// from the layer's lowest point on, then bisection.
double ScannedCrossing(const LayerDouble& layer, double slope)
{
    const double grid = 2 * Pi / layer.WaveNumber / 4096;
    double below = (layer.Altitude - layer.Amplitude) / slope, above = below;
    while (Gap(layer, slope, above) < 0) {
        below = above;
        above += grid;
    }
    while (above - below > 1e-11) {
        const double middle = (below + above) / 2;
        (Gap(layer, slope, middle) < 0 ? below : above) = middle;
    }
    return above;
}

// Where the ray of elevation e lands, mirrored by angles rather than
// vectors: the reversed ray (e + pi) about the normal (atan2(1, -s)).
double Landing(const LayerDouble& layer, double elevation)
{
    const double slope = std::tan(elevation);
    double x;
    if (!FirstLayerCrossing(layer, slope, x)) {
        return NAN;
    }
    const double s = layer.WaveNumber * layer.Amplitude * std::cos(layer.WaveNumber * (x + layer.PhaseOffset));
    const double reflected = 2 * std::atan2(1.0, -s) - (elevation + Pi);
    return std::sin(reflected) < 0 ? x - slope * x * std::cos(reflected) / std::sin(reflected) : NAN;
}

}  // namespace

TEST(Receiver, FlatLayerGivesOnePathAtItsOwnLevel)
{
    const LayerDouble flats[] = {{100, 0, SteepWaveNumber, 52.5}, {395.7, 11.3, 0, 7}, {400, 22, 0, 1e6}};
    for (const LayerDouble& layer : flats) {
        for (int ray = 0; ray < DefaultFanRays; ray += 50) {
            const double slope = std::tan(FanElevation(ray));
            double x = 0;
            ASSERT_TRUE(FirstLayerCrossing(layer, slope, x));
            EXPECT_NEAR(x, layer.Altitude / slope, 1e-9 * x);
        }
        const double H = layer.Altitude;
        for (double R : {30.0, 300.0, 900.0, 1500.0}) {
            ReceiverSignal signal;
            ComputeReceiverSignal(layer, ReceiverSettings{R, DefaultWavelength, DefaultFanRays}, signal);
            ASSERT_TRUE(signal.Paths == 1 && signal.DrawnPaths == 1) << H << " " << R;
            // The tube's intensity is its mean over the tube, not the value at
            // R: off by up to (10 / ln 10) cot e de = 0.025 dB at H 100, R 1500.
            EXPECT_NEAR(signal.FocusDb, 0, 0.03) << H << " " << R;
            EXPECT_NEAR(signal.SignalDb, 0, 0.03) << H << " " << R;
            EXPECT_NEAR(signal.Path[0].Length, std::sqrt(R * R + 4 * H * H), 1e-3);
            EXPECT_TRUE(std::fabs(signal.Path[0].HitX - R / 2) < 1e-6 && std::fabs(signal.Path[0].HitY - H) < 1e-6);
        }
        // The steepest ray lands nearest: inside that, the skip zone.
        const double skip = 2 * H / std::tan(89 * Pi / 180);
        ReceiverSignal inside, outside;
        ComputeReceiverSignal(layer, ReceiverSettings{skip * (1 - 1e-9), DefaultWavelength, DefaultFanRays}, inside);
        ComputeReceiverSignal(layer, ReceiverSettings{skip * (1 + 1e-9), DefaultWavelength, DefaultFanRays}, outside);
        EXPECT_TRUE(inside.Paths == 0 && outside.Paths == 1) << H;
    }
}

// Every ray of the fan, over the sliders' ends and drifts far along,
// including the steep ripples (H 150, t 165) where the painter's Newton
// search cycles, and low rays that clip several crests.
TEST(Receiver, FirstCrossingMatchesAFineScan)
{
    const LayerDouble layers[] = {{150, 22, SteepWaveNumber, 165},        {100, 22, SteepWaveNumber, 52.5},
                                  {400, 22, SteepWaveNumber, 1e6 + 0.37}, {395.7, 11.3, DefaultWaveNumber, 52.5},
                                  {100, 22, DefaultWaveNumber, -3000.25}, {250, 0.5, SteepWaveNumber, 12345.6}};
    for (const LayerDouble& layer : layers) {
        for (int ray = 0; ray < DefaultFanRays; ++ray) {
            const double slope = std::tan(FanElevation(ray));
            double x = 0;
            ASSERT_TRUE(FirstLayerCrossing(layer, slope, x)) << layer.Altitude << " ray " << ray;
            ASSERT_NEAR(x, ScannedCrossing(layer, slope), 1e-6) << layer.Altitude << " ray " << ray;
        }
    }
}

// Regression: with a step bound from the layer's greatest curvature alone,
// a ray as steep as the layer's steepest point, meeting it there (where the
// layer is straight), crawled and was lost to the step limit.
TEST(Receiver, RayMeetingTheLayerAlongItsSteepestSlopeIsFound)
{
    for (int ray : {100, 200, 400}) {
        const double slope = std::tan(FanElevation(ray));
        const LayerDouble layer{200, slope / SteepWaveNumber, SteepWaveNumber, -200 / slope};
        double x = 0;
        ASSERT_TRUE(FirstLayerCrossing(layer, slope, x)) << ray;
        EXPECT_NEAR(x, 200 / slope, 1e-2);  // a triple root: g is within rounding of 0 over about 1e-3
    }
}

// Regression: neighbours whose first crossings lay on different troughs
// (the higher ray clipped one the lower passed under) were taken for a path,
// its hit interpolated into the air between them.
TEST(Receiver, EveryPathMeetsTheLayer)
{
    int paths = 0;
    for (const LayerDouble& layer :
         {LayerDouble{100, 22, SteepWaveNumber, 52.5}, LayerDouble{250, 22, SteepWaveNumber, 7},
          LayerDouble{100, 17, DefaultWaveNumber * 2, 400}}) {
        for (double R = 100; R <= 1500; R += 100) {
            ReceiverSignal signal;
            ComputeReceiverSignal(layer, ReceiverSettings{R, DefaultWavelength, DefaultFanRays}, signal);
            for (int i = 0; i < signal.DrawnPaths; ++i, ++paths) {
                const ReceiverPath& p = signal.Path[i];
                EXPECT_NEAR(Gap(layer, p.HitY / p.HitX, p.HitX), 0, 0.1) << layer.Altitude << " " << R << " " << i;
            }
        }
    }
    EXPECT_GT(paths, 45);
}

// Ray-tube intensity against the density of landings of a fan a hundred
// times denser, in a window of 10 around R, on every branch that reaches it.
TEST(Receiver, IntensityMatchesTheDensityOfLandings)
{
    const LayerDouble layers[] = {
        {395.7, 11.3, DefaultWaveNumber, 52.5}, {400, 22, SteepWaveNumber, 52.5}, {250, 22, SteepWaveNumber, 1000}};
    const double receivers[] = {900, 600, 700};
    const int denseRays = 200001;
    for (int c = 0; c < 3; ++c) {
        const LayerDouble& layer = layers[c];
        const double R = receivers[c];
        int landings = 0;
        for (int ray = 0; ray < denseRays; ++ray) {
            landings += std::fabs(Landing(layer, (1.0 + 88.0 * ray / (denseRays - 1)) * Pi / 180) - R) < 5;
        }
        const double density = landings * (88.0 / (denseRays - 1) * Pi / 180) / 10;
        ReceiverSignal signal;
        ComputeReceiverSignal(layer, ReceiverSettings{R, DefaultWavelength, DefaultFanRays}, signal);
        EXPECT_NEAR(signal.FocusDb, 10 * std::log10(density / FlatLayerIntensity(layer.Altitude, R)), 0.1) << R;
    }
}

// Two paths of equal intensity, their lengths some wavelengths apart: in
// step they carry four times one path's power (+6 dB), half a wavelength
// apart they cancel.
TEST(Receiver, PathsInterfereByTheirLengthInWavelengths)
{
    const double apart[] = {0, 0.25, 0.5, 3, -2.5};
    const double power[] = {4, 2, 0, 4, 0};  // |1 + exp(2 pi i apart)|^2
    const double I = 3e-4, wavelength = 30;
    for (int c = 0; c < 5; ++c) {
        SignalSum sum{0, 0, 0};
        AddPath(sum, ReceiverPath{0, 0, 1000, I}, wavelength);
        AddPath(sum, ReceiverPath{0, 0, 1000 + apart[c] * wavelength, I}, wavelength);
        const SignalLevels levels = LevelsOverFlat(sum, I);
        EXPECT_NEAR(levels.FocusDb, 10 * std::log10(2.0), 1e-9) << apart[c];
        EXPECT_NEAR(levels.SignalDb, std::fmax(SignalFloorDb, 10 * std::log10(power[c])), 1e-9) << apart[c];
    }
}

// The phase's remainder is std::fmod's to the bit: at the edges of its own
// arithmetic (exact multiples, a shift of 11 and 12 bits, the smallest
// divisor it takes on), on what it hands to std::fmod, and over lengths
// and wavelengths of every size, quotients up to 2^26.
TEST(Receiver, RemainderIsFmodBitForBit)
{
    const auto same = [](double x, double y) {
        const double exact = std::fmod(x, y), fast = ExactRemainder(x, y);
        return std::isnan(exact) ? std::isnan(fast) : exact == fast && !std::signbit(fast) == !std::signbit(exact);
    };
    // Its own arithmetic's edges, then what it hands on to std::fmod.
    const double edges[][2] = {{90, 30},    {30, 30},     {29.999999999999996, 30}, {12.5, 30},
                               {65535, 30}, {131070, 30}, {1.5e-289, 1.1e-292},     {7e-290, 7.3e-293},
                               {1e300, 30}, {1e-310, 30}, {1000, 1e-320},           {-1000, 30},
                               {-0.0, 30},  {1000, 0},    {HUGE_VAL, 30},           {1000, HUGE_VAL},
                               {NAN, 30}};
    for (const auto& edge : edges) {
        EXPECT_TRUE(same(edge[0], edge[1])) << edge[0] << " mod " << edge[1];
    }
    Random random = SeededRandom(5);
    for (int i = 0; i < 300000; ++i) {
        const double y = std::ldexp(1 + RandomUniform(random), static_cast<int>(NextRandom(random) % 24) - 12);
        const double x = i % 2 ? RandomUniform(random) * 10000 : y * static_cast<double>(NextRandom(random) % 5000);
        ASSERT_TRUE(same(x, y)) << x << " mod " << y;
    }
}
