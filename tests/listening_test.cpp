// The ground map and the band against the receiver itself and against
// theory: a flat layer's single path, and two paths whose length
// difference puts the band's fades at known frequencies.
#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "model/ground_map.h"
#include "model/level_rings.h"
#include "model/signal_band.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
const double Steep = static_cast<float>(120 * 0.00017453293);  // the sliders' end

GroundMap Map;  // static: too large for the stack under Wine
SignalBand Band;

// Every seventh column and the receiver's own, on layers with one path and
// with several, with a sparse fan whose tubes span many columns, and through
// a rough layer, where every column's paths take their own gains.
TEST(GroundMap, EveryColumnIsTheReceiverPlacedThere)
{
    const LayerDouble layers[] = {{395.7, 11.3, 0.52 * 0.017453293, 52.5},
                                  {100, 22, Steep, 52.5},
                                  {400, 22, Steep, 1234.5},
                                  {250, 22, Steep, 7},
                                  {150, 22, Steep, 52.5}};
    const RoughLayer moderate = MakeRoughLayer(Ionosphere::Moderate, 1);
    int multipath = 0;
    for (const LayerDouble& layer : layers) {
        const int rays = layer.PhaseOffset == 7 ? 301 : 2001;                   // the fourth with a sparse fan
        const RoughLayer* rough = layer.Altitude == 150 ? &moderate : nullptr;  // the last rough
        ReceiverSignal receiver, there;
        ListenToFan(layer, ReceiverSettings{900, 30, rays}, rough, 12.3, receiver, &Band, &Map);
        EXPECT_TRUE(Band.Paths == receiver.Paths && Band.SignalDb[BandCentre] == receiver.SignalDb &&
                    Map.SignalDb[899] == receiver.SignalDb);
        for (int column = 0; column < GroundMapColumns; column += column == 896 ? 3 : 7) {
            ComputeReceiverSignal(layer, ReceiverSettings{GroundMapX(column), 30, rays}, rough, 12.3, there);
            ASSERT_TRUE(Map.Paths[column] == there.Paths &&
                        (there.Paths == 0 || Map.SignalDb[column] == there.SignalDb))
                << layer.Altitude << " x " << GroundMapX(column);
            multipath += there.Paths > 1;
        }
    }
    EXPECT_GT(multipath, 100);
}

// Under a flat layer the ray at elevation e lands at 2 H cot e: the fan's
// steepest ray (89 degrees) bounds the skip zone, and beyond it one path
// arrives at the flat layer's own level.
TEST(GroundMap, FlatLayerIsZeroDbWhereLitAndEmptyInTheSkipZone)
{
    for (const LayerDouble& layer : {LayerDouble{100, 0, Steep, 5}, LayerDouble{395.7, 11.3, 0, 0}}) {
        ReceiverSignal receiver;
        ListenToFan(layer, DefaultReceiverSettings(), receiver, nullptr, &Map);
        const double skip = 2 * layer.Altitude / std::tan(89 * Pi / 180);
        for (int column = 0; column < GroundMapColumns; ++column) {
            const bool lit = GroundMapX(column) > skip;
            ASSERT_TRUE(Map.Paths[column] == lit && (!lit || std::fabs(Map.SignalDb[column]) < 0.03))
                << layer.Altitude << " x " << GroundMapX(column);
        }
    }
}

// Two equal paths 300 units apart, ten of the receiver's wavelengths of 30:
// they add in phase where 300 f is whole (f = 1/30, and +-10 %) and cancel
// where it is half way, at f = 0.95/30 and 1.05/30, a quarter band from the
// centre on either side.
TEST(Band, TwoPathsFadeAtThePredictedFrequencies)
{
    StartBand(Band, 30);
    AddPathToBand(Band, ReceiverPath{0, 0, 1000, 2e-3});
    AddPathToBand(Band, ReceiverPath{0, 0, 1300, 2e-3});
    FinishBand(Band, 2, 2e-3);
    EXPECT_EQ(Band.Wavelength[BandCentre], 30.0);
    std::string fades;
    for (int j = 0; j < BandWavelengths; ++j) {
        const double f = (0.9 + 0.2 * j / (BandWavelengths - 1)) / 30;
        const double power = 2 + 2 * std::cos(2 * Pi * 300 * f);  // |1 + e^(i 2 pi 300 f)|^2
        EXPECT_TRUE(power < 1e-4 || std::fabs(Band.SignalDb[j] - 10 * std::log10(power)) < 1e-6) << j;
        fades += Band.SignalDb[j] < -60 ? std::to_string(j) + " " : "";
    }
    EXPECT_EQ(fades, "16 48 ");
}

// A byte a level for the rings: half-dB steps, held at the ends (never
// wrapping round), 0 for no path.
TEST(LevelRings, Codes)
{
    const double levels[][3] = {{0, 5, 0},     {1, -300, 1}, {1, NAN, 1}, {1, 0, 201},
                                {1, 0.3, 202}, {1, 27, 255}, {1, 40, 255}};
    for (const auto& l : levels) {
        EXPECT_EQ(LevelCode(static_cast<int>(l[0]), l[1]), l[2]) << l[1];
    }
}

}  // namespace
