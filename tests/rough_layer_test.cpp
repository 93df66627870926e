// The rough ionosphere: its components per seed, its gain against the
// theory it stands for, and the receiver through it.
#include <gtest/gtest.h>

#include <cmath>

#include "model/receiver.h"
#include "model/rough_layer.h"
#include "model/viewer_state.h"
#include "scene_fixture.h"

namespace {

const LayerDouble StartLayer{395.7f, 11.3f, WaveNumberFromFrequency(0.52f), 52.5};
const LayerDouble SteepLayer{100, 22, static_cast<float>(120 * 0.00017453293), 52.5};
GainTable Table;

// The paths found, where they meet the layer, and the levels.
bool SamePaths(const ReceiverSignal& a, const ReceiverSignal& b)
{
    for (int i = 0; i < a.DrawnPaths; ++i) {
        const ReceiverPath &p = a.Path[i], &q = b.Path[i];
        if (p.HitX != q.HitX || p.HitY != q.HitY || p.Length != q.Length || p.Intensity != q.Intensity) {
            return false;
        }
    }
    return a.Paths == b.Paths && a.DrawnPaths == b.DrawnPaths && a.FocusDb == b.FocusDb;
}

}  // namespace

// A seed gives the same components every time and another seed other ones;
// the settings of one seed share wave numbers and phases and differ in pace
// only, so that stepping through them keeps the pattern.
TEST(RoughLayer, ComponentsPerSeedAndSetting)
{
    const RoughLayer moderate = MakeRoughLayer(Ionosphere::Moderate, 7),
                     again = MakeRoughLayer(Ionosphere::Moderate, 7);
    const RoughLayer other = MakeRoughLayer(Ionosphere::Moderate, 8), quiet = MakeRoughLayer(Ionosphere::Quiet, 7);
    for (int n = 0; n < RoughComponents; ++n) {
        const RoughComponent &m = moderate.Component[n], &a = again.Component[n], &o = other.Component[n];
        EXPECT_TRUE(m.Frequency == a.Frequency && m.WaveNumber == a.WaveNumber && m.Phase == a.Phase) << n;
        EXPECT_TRUE(m.Frequency != o.Frequency && m.WaveNumber != o.WaveNumber && m.Phase != o.Phase) << n;
        const RoughComponent& q = quiet.Component[n];
        EXPECT_TRUE(q.WaveNumber == m.WaveNumber && q.Phase == m.Phase && m.Phase >= 0 && m.Phase < 6.2832) << n;
        EXPECT_NEAR(q.Frequency * 5, m.Frequency, 1e-15) << n;
    }
}

// Over a long run the gain has mean power 1, and its Doppler spread (twice
// the rms frequency, from the spectrum's second moment: the mean |dg/dt|^2
// over (2 pi)^2) is the setting's, averaged over eight seeds; its wave
// numbers have the standard deviation 1/200 (the same moment in u).
TEST(RoughLayer, GainPowerAndDopplerSpread)
{
    for (Ionosphere kind : {Ionosphere::Quiet, Ionosphere::Moderate, Ionosphere::Disturbed}) {
        double power = 0, timeMoment = 0, spaceMoment = 0;
        int samples = 0;
        for (std::uint64_t seed = 1; seed <= 8; ++seed) {
            const RoughLayer rough = MakeRoughLayer(kind, seed);
            for (double t = 0; t < 3000; t += 0.7, ++samples) {
                const double u = 13 * t, d = 1e-4;
                const PathGain g = RoughGain(rough, u, t), later = RoughGain(rough, u, t + d);
                const PathGain farther = RoughGain(rough, u + d, t);
                power += g.Re * g.Re + g.Im * g.Im;
                timeMoment += std::pow(std::hypot(later.Re - g.Re, later.Im - g.Im) / d, 2);
                spaceMoment += std::pow(std::hypot(farther.Re - g.Re, farther.Im - g.Im) / d, 2);
            }
        }
        const double pi = 3.14159265358979324;
        EXPECT_NEAR(power / samples, 1, 0.03) << IonosphereName(kind);
        const double spread = 2 * std::sqrt(timeMoment / samples) / (2 * pi);
        EXPECT_NEAR(spread / DopplerSpread(kind), 1, 0.1) << IonosphereName(kind);
        EXPECT_NEAR(std::sqrt(spaceMoment / samples) * 200, 1, 0.1) << IonosphereName(kind);
    }
}

// The table the receiver and the map take their gains from keeps within
// its stated bound of the direct sum all over it, drifted far and at any
// time, and is the direct sum beyond it. The bound is far under anything
// heard: 1e-6 of a gain of mean power 1 is 1e-5 dB.
TEST(RoughLayer, TableFollowsTheDirectSum)
{
    const double end = GainTableSpacing * GainTableSegments;
    for (std::uint64_t seed = 1; seed <= 4; ++seed) {
        const RoughLayer rough = MakeRoughLayer(Ionosphere::Disturbed, seed);
        const double bound = GainErrorBound(rough);
        EXPECT_LT(bound, 1e-6);
        for (const double offset : {0.0, 52.5, -3000.25, 1e6 + 0.37}) {
            const double seconds = offset > 0 ? offset / 75 : 0;
            TabulateRoughGain(rough, offset, seconds, Table);
            for (double x = -20; x < end + 20; x += 0.37) {
                const PathGain table = TabulatedGain(Table, x), direct = RoughGain(rough, x + offset, seconds);
                const double miss = std::fmax(std::fabs(table.Re - direct.Re), std::fabs(table.Im - direct.Im));
                ASSERT_TRUE(x >= 0 && x < end ? miss <= bound + 1e-12 : miss == 0) << seed << " " << offset << " " << x;
            }
        }
    }
}

// Smooth (and no rough layer at all) is the receiver as it was, bit for bit;
// a rough one changes the signal and nothing else: the paths, their
// geometry and the focus stay. (The map's column at the receiver and the
// band's middle through it: GroundMap.EveryColumnIsTheReceiverPlacedThere.)
TEST(RoughLayer, OnlyTheSignalChanges)
{
    const ReceiverSettings settings{900, DefaultWavelength, DefaultFanRays};
    const RoughLayer smooth = MakeRoughLayer(Ionosphere::Smooth, 1);
    for (const LayerDouble& layer : {StartLayer, SteepLayer}) {
        ReceiverSignal before, asSmooth, rough;
        ComputeReceiverSignal(layer, settings, before);
        ComputeReceiverSignal(layer, settings, &smooth, 12.3, asSmooth);
        EXPECT_TRUE(SamePaths(before, asSmooth) && before.SignalDb == asSmooth.SignalDb);
        for (Ionosphere kind : {Ionosphere::Quiet, Ionosphere::Disturbed}) {
            const RoughLayer roughLayer = MakeRoughLayer(kind, 1);
            ComputeReceiverSignal(layer, settings, &roughLayer, 12.3, rough);
            EXPECT_TRUE(SamePaths(before, rough)) << IonosphereName(kind);
            EXPECT_GT(std::fabs(rough.SignalDb - before.SignalDb), 0.01) << IonosphereName(kind);
        }
    }
}

// Under a flat layer the one path meets it at R / 2: the signal is the flat
// level times |g|^2 at u = R / 2 + t, the drift-step clock giving the time.
TEST_F(SceneTest, ReceiverHearsTheGainInTheLayersFrame)
{
    Scene.Amplitude = 0, Scene.PhaseOffset = 250;
    Viewer.DriftSteps = 37;
    SetIonosphere(Ionosphere::Disturbed, 3);
    UpdateReceiver(false);
    const PathGain g = RoughGain(Viewer.Rough, 900.0 / 2 + 250, 3.7);
    EXPECT_NEAR(Viewer.Signal.SignalDb, Viewer.Signal.FocusDb + 10 * std::log10(g.Re * g.Re + g.Im * g.Im), 1e-6);
}
