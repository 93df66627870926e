// The sound generator against its definition: the tone's frequency by a
// discrete Fourier transform, its level against the signal (a tenth of full
// scale at 0 dB, one dB per dB), the hiss 30 dB under it, no clicks, and the
// same samples however the caller slices its pulls.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numeric>
#include <vector>

#include "model/sound_generator.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Rate = 22050, Frame = 2205;
const double Hiss = 0.1 / std::sqrt(2.0) * std::pow(10, -1.5);  // RMS, 30 dB under the 0 dB tone's

ReceiverSignal Level(int paths, double db) { return ReceiverSignal{paths, 0, {}, 0, db}; }

// |sum s[n] e^(-2 pi i f n / rate)| / (count / 2): a sine's peak at its own frequency.
double PeakAt(const std::vector<float>& s, int first, int count, double f)
{
    double re = 0, im = 0;
    for (int n = 0; n < count; ++n) {
        re += s[first + n] * std::cos(2 * Pi * f * n / Rate), im -= s[first + n] * std::sin(2 * Pi * f * n / Rate);
    }
    return std::hypot(re, im) / (count / 2.0);
}

// One second after a first frame to settle, at 0 dB: a peak of 0.1 at the
// tone's frequency, held within 200 ... 2000 Hz, and nothing 5 Hz off.
TEST(Sound, ToneFrequencyByFourierTransform)
{
    const double tones[][2] = {{0, 700}, {150, 200}, {5000, 2000}, {NAN, 200}, {1234, 1234}};
    for (const auto& t : tones) {
        SoundGenerator g = StartSoundGenerator(Rate);
        SetToneFrequency(g, t[0] == 0 ? g.ToneHz : t[0]);
        SetSoundLevel(g, Level(1, 0));
        std::vector<float> s(Frame + Rate);
        FillSound(g, s.data(), Frame + Rate);
        EXPECT_NEAR(PeakAt(s, Frame, Rate, t[1]), 0.1, 0.001) << t[0];
        EXPECT_LT(std::fmax(PeakAt(s, Frame, Rate, t[1] - 5), PeakAt(s, Frame, Rate, t[1] + 5)), 0.002) << t[0];
    }
}

// Each frame's level is reached within its first half (50 ms): there the RMS
// is that of a sine of peak 0.1 x 10^(dB / 20) over the hiss. Above -1 dBFS
// the peak bends under 0.98 and no sample reaches full scale; without a
// path there is hiss alone.
TEST(Sound, LevelFollowsTheSignalOneDbPerDb)
{
    const double frames[][2] = {{1, 0}, {1, -10}, {1, 6}, {1, -20}, {1, 12}, {0, 0}, {1, -40}, {1, 25}, {1, 40}};
    SoundGenerator g = StartSoundGenerator(Rate);
    std::vector<float> s(Frame);
    for (const auto& f : frames) {
        SetSoundLevel(g, Level(static_cast<int>(f[0]), f[1]));
        FillSound(g, s.data(), Frame);
        const double power = std::inner_product(s.begin() + Frame / 2, s.end(), s.begin() + Frame / 2, 0.0) / 1103;
        const double tone = f[0] > 0 ? 0.1 * std::pow(10, f[1] / 20) : 0;
        if (tone < 0.89) {  // the hiss's power, from 1,102 samples, wanders by about 0.15 dB
            EXPECT_NEAR(10 * std::log10(power), 10 * std::log10(tone * tone / 2 + Hiss * Hiss),
                        tone > 10 * Hiss ? 0.05 : 0.3)
                << f[1];
        } else {
            EXPECT_TRUE(power < 0.981 * 0.981 / 2 + Hiss * Hiss && power > 0.88 * 0.88 / 2) << f[1];
        }
        EXPECT_LT(std::fabs(*std::max_element(s.begin(), s.end(), [](float a, float b) { return a * a < b * b; })), 1);
    }
}

// Levels jumping by up to 58 dB every frame, pulled whole and in slices of
// 20 to 50 ms and odd sizes: the same samples, and no step between two of
// them larger than the loudest tone makes (2 pi f / rate x 0.98) plus the
// hiss's own (two of its largest samples, 8.6 sigma each). At 702.5 Hz a
// frame ends a quarter cycle on, so a jump of level would show at the crests.
TEST(Sound, NoClicksAndAnySliceOfThePullGivesTheSameSamples)
{
    SoundGenerator whole = StartSoundGenerator(Rate), sliced = StartSoundGenerator(Rate);
    SetToneFrequency(whole, 702.5), SetToneFrequency(sliced, 702.5);
    std::vector<float> a, b, s(Frame);
    const int slices[] = {441, 1102, 7, 757, 1, 2000};
    for (int frame = 0, slice = 0; frame < 20; ++frame) {
        const ReceiverSignal level = Level(frame % 5 != 4, frame % 2 == 0 ? 18 : -40);
        SetSoundLevel(whole, level), SetSoundLevel(sliced, level);
        FillSound(whole, s.data(), Frame);
        a.insert(a.end(), s.begin(), s.end());
        for (int at = 0, count = 0; at < Frame; at += count, slice = (slice + 1) % 6) {
            count = std::min(slices[slice], Frame - at);
            FillSound(sliced, s.data(), count);
            b.insert(b.end(), s.begin(), s.begin() + count);
        }
    }
    ASSERT_EQ(a, b);
    for (size_t n = 1; n < a.size(); ++n) {
        ASSERT_LT(std::fabs(a[n] - a[n - 1]), 2 * Pi * 702.5 / Rate * 0.98 + 2 * 8.6 * Hiss) << n;
    }
}

// Every writer (WAV file, wave-out) converts through this: a wrapped or
// NaN sample would be a full-scale click.
TEST(Sound, PcmSamplesHeldAtFullScale)
{
    const float samples[] = {0, 0.5f, -0.5f, 0.99999f, 1, 1.5f, -1, -7, INFINITY, -INFINITY, NAN};
    const short pcm[] = {0, 16384, -16384, 32767, 32767, 32767, -32767, -32767, 32767, -32767, 0};
    for (int i = 0; i < 11; ++i) {
        EXPECT_EQ(PcmSample(samples[i]), pcm[i]) << samples[i];
    }
}

}  // namespace
