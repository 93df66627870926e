// The fading statistics against a series worked out by hand and against
// Rayleigh fading made from Gaussian noise; the window of the last five
// minutes as its levels come and go.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <vector>

#include "model/fading_statistics.h"
#include "model/fading_window.h"
#include "model/random.h"

// Ten times the levels 7 + (-3 -15 2 0 4 -25 1 3 -1 6), a frame without a
// signal between the first -15 and 2. Median 7.5; relative to it the
// series crosses 0 upward 4 times a period and -10 twice, once fewer each
// across the gap: 39 and 19 in 10 s of signal; 20 levels under -10, each a
// frame long. Its greatest distance to Rayleigh is at -15.5 dB, with 20 %
// of the levels at or under it; levels of +-1 dB lie farthest from
// Rayleigh just under -1 dB, where none lie: both sides of each step count.
TEST(FadingStatistics, HandWorkedSeries)
{
    const double period[] = {-3, -15, 2, 0, 4, -25, 1, 3, -1, 6};
    std::vector<double> levels, sorted(150);
    for (int i = 0; i < 100; ++i) {
        levels.push_back(7 + period[i % 10]);
        if (i == 1) {
            levels.push_back(NoSignalDb);
        }
    }
    const FadingStatistics s = MeasureFading(levels.data(), static_cast<int>(levels.size()), sorted.data());
    EXPECT_TRUE(s.Frames == 101 && s.Samples == 100);
    const auto rayleigh = [](double db) { return 1 - std::pow(2, -std::pow(10, db / 10)); };
    // p (n - 1) between neighbours: 0.99, 9.9, 89.1 and 98.01.
    const double expected[] = {7.5, -25.5, -16.5, 3.7, 5.5, 0.2, 3.9, 1.9, 0.2 / 1.9, 0.2 - rayleigh(-15.5)};
    const double measured[] = {s.MedianDb,           s.P01Db,          s.P10Db,       s.P90Db, s.P99Db, s.Below10,
                               s.CrossingsPerSecond, s.FadesPerSecond, s.FadeSeconds, s.Ks};
    for (int i = 0; i < 10; ++i) {
        EXPECT_NEAR(measured[i], expected[i], 1e-12) << i;
    }
    EXPECT_TRUE(sorted[0] == -25.5 && sorted[99] == 5.5);
    EXPECT_TRUE(std::isnan(MeasureFading(levels.data(), 99, sorted.data()).MedianDb));  // too few
    levels.resize(150);
    for (int i = 0; i < 150; ++i) {
        levels[i] = i % 2 == 0 ? -1 : 1;
    }
    const FadingStatistics steady = MeasureFading(levels.data(), 150, sorted.data());
    EXPECT_NEAR(steady.Ks, rayleigh(-1), 1e-12);
    EXPECT_TRUE(std::isnan(steady.FadeSeconds));  // no fade, no length
}

// Rayleigh fading made independently of the program: complex Gaussian noise
// smoothed over 21 samples (so fades last several frames), its power in dB.
// Its levels and its fades at -10 dB (by Rice's formula, from the measured
// median crossings) must be Rayleigh's.
TEST(FadingStatistics, RayleighFromGaussianNoise)
{
    constexpr int Count = 100000, Width = 21;
    Random random = SeededRandom(5);
    std::vector<double> re(Count + Width), im(Count + Width), levels(Count), sorted(Count);
    for (int i = 0; i < Count + Width; ++i) {
        re[i] = RandomNormal(random), im[i] = RandomNormal(random);
    }
    for (int i = 0; i < Count; ++i) {
        double x = 0, y = 0;
        for (int k = 0; k < Width; ++k) {
            x += re[i + k], y += im[i + k];
        }
        levels[i] = 10 * std::log10(x * x + y * y);
    }
    const FadingStatistics s = MeasureFading(levels.data(), Count, sorted.data());
    const RayleighFading r = RayleighFadingFor(s.CrossingsPerSecond);
    EXPECT_LT(s.Ks, 0.02);
    EXPECT_NEAR(s.Below10, r.Below10, 0.005);
    EXPECT_NEAR(s.P01Db, r.P01Db, 0.7);
    EXPECT_NEAR(s.P10Db, r.P10Db, 0.2);
    EXPECT_NEAR(s.P90Db, r.P90Db, 0.1);
    EXPECT_NEAR(s.P99Db, r.P99Db, 0.2);
    EXPECT_NEAR(s.FadesPerSecond / r.FadesPerSecond, 1, 0.1);
    EXPECT_NEAR(s.FadeSeconds / r.FadeSeconds, 1, 0.1);
    // Rayleigh's own values: P(-10 dB) = 1 - 2^(-1/10), and P of each level is its probability.
    EXPECT_NEAR(r.Below10, 1 - std::pow(2, -0.1), 1e-15);
    EXPECT_NEAR(RayleighProbability(r.P01Db), 0.01, 1e-12);
    EXPECT_NEAR(RayleighProbability(r.P99Db), 0.99, 1e-12);
}

// Levels (some repeated, some without a signal) through a window more than
// twice its length: it holds the last FadingWindowLength in time order, and
// those with a signal in ascending order.
TEST(FadingWindowTest, KeepsTheLastLevelsInOrderAndSorted)
{
    static FadingWindow window;
    ClearFadingWindow(window);
    static double series[FadingWindowLength], sorted[FadingWindowLength];
    std::vector<double> all;
    Random random = SeededRandom(3);
    for (int i = 0; i < 2 * FadingWindowLength + 123; ++i) {
        const double level = RandomUniform(random) < 0.1 ? NoSignalDb : std::round(RandomNormal(random) * 8);
        all.push_back(level);
        AddFadingLevel(window, level);
        if (i == 5 || i % 1000 == 999 || i == 2 * FadingWindowLength + 122) {
            const int count = FadingSeries(window, series), heard = FadingSorted(window, sorted);
            const std::vector<double> last(all.end() - std::min<std::size_t>(all.size(), FadingWindowLength),
                                           all.end());
            ASSERT_TRUE(count == static_cast<int>(last.size()) && std::equal(last.begin(), last.end(), series)) << i;
            std::vector<double> expected;
            std::copy_if(last.begin(), last.end(), std::back_inserter(expected), HasLevel);
            std::sort(expected.begin(), expected.end());
            ASSERT_TRUE(heard == static_cast<int>(expected.size()) &&
                        std::equal(expected.begin(), expected.end(), sorted))
                << i;
        }
    }
    ClearFadingWindow(window);
    EXPECT_EQ(FadingSeries(window, series) + FadingSorted(window, sorted), 0);
}
