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
const double SteepWaveNumber = static_cast<float>(120 * 0.00017453293);
const double DefaultWaveNumber = static_cast<float>(0.52 * 0.017453293);

// Static: too large for the stack under Wine.
GroundMap Map;
SignalBand Band;

// Every seventh column and the receiver's own, on layers with one path and
// with several, and with a sparse fan whose tubes span many columns.
TEST(GroundMap, EveryColumnIsTheReceiverPlacedThere)
{
    const struct {
        LayerDouble Layer;
        int Rays;
    } cases[] = {{{395.7, 11.3, DefaultWaveNumber, 52.5}, DefaultFanRays},
                 {{100, 22, SteepWaveNumber, 52.5}, DefaultFanRays},
                 {{400, 22, SteepWaveNumber, 1234.5}, DefaultFanRays},
                 {{250, 22, SteepWaveNumber, 7}, 301}};
    int multipath = 0;
    for (const auto& c : cases) {
        ReceiverSignal receiver;
        ListenToFan(c.Layer, ReceiverSettings{900, DefaultWavelength, c.Rays}, receiver, &Band, &Map);
        EXPECT_TRUE(Band.Paths == receiver.Paths && Band.SignalDb[BandCentre] == receiver.SignalDb);
        for (int column = 0; column < GroundMapColumns; column += column == 896 ? 3 : 7) {
            ReceiverSignal there;
            ComputeReceiverSignal(c.Layer, ReceiverSettings{GroundMapX(column), DefaultWavelength, c.Rays}, there);
            ASSERT_EQ(Map.Paths[column], there.Paths) << c.Layer.Altitude << " x " << GroundMapX(column);
            if (there.Paths > 0) {
                ASSERT_EQ(Map.SignalDb[column], there.SignalDb) << c.Layer.Altitude << " x " << GroundMapX(column);
            }
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
    for (const LayerDouble& layer : {LayerDouble{100, 0, SteepWaveNumber, 5}, LayerDouble{395.7, 11.3, 0, 0}}) {
        ReceiverSignal receiver;
        ListenToFan(layer, DefaultReceiverSettings(), receiver, nullptr, &Map);
        const double skip = 2 * layer.Altitude / std::tan(89 * Pi / 180);
        int lit = 0;
        for (int column = 0; column < GroundMapColumns; ++column) {
            const double x = GroundMapX(column);
            ASSERT_EQ(Map.Paths[column], x < skip ? 0 : 1) << layer.Altitude << " x " << x;
            if (x > skip) {
                ASSERT_NEAR(Map.SignalDb[column], 0, 0.03) << layer.Altitude << " x " << x;
                ++lit;
            }
        }
        EXPECT_EQ(lit, GroundMapColumns - static_cast<int>(skip));
    }
}

// Two equal paths 300 units apart, ten of the receiver's wavelengths of 30:
// they add in phase where 300 f is whole (f = 1/30, and +-10 %) and cancel
// where it is half way, at f = 0.95/30 and 1.05/30, a quarter band from the
// centre on either side.
TEST(Band, TwoPathsFadeAtThePredictedFrequencies)
{
    const double I = 2e-3;
    StartBand(Band, 30);
    AddPathToBand(Band, ReceiverPath{0, 0, 1000, I});
    AddPathToBand(Band, ReceiverPath{0, 0, 1300, I});
    FinishBand(Band, 2, I);
    EXPECT_EQ(Band.Wavelength[BandCentre], 30.0);
    std::string fades;
    for (int j = 0; j < BandWavelengths; ++j) {
        const double f = (0.9 + 0.2 * j / (BandWavelengths - 1)) / 30;
        const double power = 2 + 2 * std::cos(2 * Pi * 300 * f);  // |1 + e^(i 2 pi 300 f)|^2
        if (power > 1e-4) {
            EXPECT_NEAR(Band.SignalDb[j], 10 * std::log10(power), 1e-6) << j;
        }
        fades += Band.SignalDb[j] < -60 ? std::to_string(j) + " " : "";
    }
    EXPECT_EQ(fades, "16 48 ");
    for (int j : {0, BandCentre, BandWavelengths - 1}) {
        EXPECT_NEAR(Band.SignalDb[j], 10 * std::log10(4.0), 1e-6) << j;
    }
}

// A byte a level: half-dB steps, held at the ends, 0 for no path.
TEST(LevelRings, CodesAndTheRingsWrap)
{
    const struct {
        int Paths;
        double Db;
        int Code;
    } codes[] = {{0, 5, 0},     {1, -100, 1},  {1, -300, 1}, {1, NAN, 1},    {1, 0, 201},
                 {1, 0.2, 201}, {1, 0.3, 202}, {1, 27, 255}, {1, 1e300, 255}};
    for (const auto& c : codes) {
        EXPECT_EQ(LevelCode(c.Paths, c.Db), c.Code) << c.Db;
    }
    for (double db = -100; db <= 27; db += 0.37) {
        ASSERT_NEAR(CodedLevelDb(LevelCode(1, db)), db, 0.25) << db;
    }
    // Row k has a path only at column k: after 305 rows the oldest five are gone.
    static MapRing ring;
    ClearRingRows(ring.Rows);
    for (int k = 0; k < LevelRingRows + 5; ++k) {
        for (int c = 0; c < GroundMapColumns; ++c) {
            Map.Paths[c] = c == k;
            Map.SignalDb[c] = 0;
        }
        AddMapRow(ring, Map);
    }
    EXPECT_EQ(ring.Rows.Count, LevelRingRows);
    for (int ago : {0, 1, 5, LevelRingRows - 1}) {
        const unsigned char* row = ring.Levels[RingRowAgo(ring.Rows, ago)];
        const int k = LevelRingRows + 4 - ago;
        EXPECT_TRUE(row[k] == 201 && row[k - 1] == NoLevel && row[k + 1] == NoLevel) << ago;
    }
}

}  // namespace
