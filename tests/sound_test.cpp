// The sound generator against its definition: the tone's frequency by a
// discrete Fourier transform, its level against the signal (a tenth of full
// scale at 0 dB, one dB per dB), the hiss 30 dB under it, no clicks, and the
// same samples however the caller slices its pulls.
#include <gtest/gtest.h>

#include <cmath>
#include <vector>

#include "model/sound_generator.h"

namespace {

constexpr double Pi = 3.14159265358979323846;
constexpr int Rate = 22050, Frame = 2205;

ReceiverSignal Level(int paths, double db)
{
    ReceiverSignal signal{};
    signal.Paths = paths;
    signal.SignalDb = db;
    return signal;
}

// |sum s[n] e^(-2 pi i f n / rate)| / (count / 2): a sine's peak at its own frequency.
double PeakAt(const std::vector<float>& s, int first, int count, double f)
{
    double re = 0, im = 0;
    for (int n = 0; n < count; ++n) {
        re += s[first + n] * std::cos(2 * Pi * f * n / Rate);
        im -= s[first + n] * std::sin(2 * Pi * f * n / Rate);
    }
    return std::hypot(re, im) / (count / 2.0);
}

double Rms(const std::vector<float>& s, int first, int count)
{
    double sum = 0;
    for (int n = first; n < first + count; ++n) {
        sum += static_cast<double>(s[n]) * s[n];
    }
    return std::sqrt(sum / count);
}

// One second after a first frame to settle, at 0 dB: a peak of 0.1 at the
// tone's frequency, held within 200 ... 2000 Hz, and nothing 5 or 60 Hz off.
TEST(Sound, ToneFrequencyByFourierTransform)
{
    const struct {
        double Asked, Heard;
    } tones[] = {{0, 700}, {200, 200}, {2000, 2000}, {150, 200}, {5000, 2000}, {NAN, 200}, {1234, 1234}};
    for (const auto& t : tones) {
        SoundGenerator g = StartSoundGenerator(Rate);
        if (t.Asked != 0) {
            SetToneFrequency(g, t.Asked);
        }
        SetSoundLevel(g, Level(1, 0));
        std::vector<float> s(Frame + Rate);
        FillSound(g, s.data(), static_cast<int>(s.size()));
        EXPECT_NEAR(PeakAt(s, Frame, Rate, t.Heard), 0.1, 0.001) << t.Asked;
        for (double off : {-60, -5, 5, 60}) {
            EXPECT_LT(PeakAt(s, Frame, Rate, t.Heard + off), 0.002) << t.Asked << " " << off;
        }
    }
}

// Each frame's level is reached within its first half (50 ms): there the RMS
// is that of a sine of peak 0.1 x 10^(dB / 20) over a hiss of RMS
// (0.1 / sqrt 2) x 10^(-30 / 20). Above -1 dBFS the peak bends under 0.98;
// without a path there is hiss alone.
TEST(Sound, LevelFollowsTheSignalOneDbPerDb)
{
    const double hiss = 0.1 / std::sqrt(2.0) * std::pow(10, -1.5);
    const struct {
        int Paths;
        double Db;
    } frames[] = {{1, 0}, {1, -10}, {1, 6}, {1, -20}, {1, 12}, {0, 0}, {1, -40}, {1, 25}, {1, 40}, {1, 18}};
    SoundGenerator g = StartSoundGenerator(Rate);
    std::vector<float> s(Frame);
    for (const auto& f : frames) {
        SetSoundLevel(g, Level(f.Paths, f.Db));
        FillSound(g, s.data(), Frame);
        const double rms = Rms(s, Frame / 2, Frame / 2);
        const double tone = f.Paths > 0 ? 0.1 * std::pow(10, f.Db / 20) : 0;
        if (tone < 0.89) {
            // The hiss's own RMS, estimated from 1,102 samples, wanders by about 0.15 dB.
            const double tolerance = tone > 10 * hiss ? 0.05 : 0.3;
            EXPECT_NEAR(20 * std::log10(rms), 10 * std::log10(tone * tone / 2 + hiss * hiss), tolerance) << f.Db;
        } else {
            const double peak = std::sqrt(2 * (rms * rms - hiss * hiss));
            EXPECT_TRUE(peak > 0.88 && peak < 0.981) << f.Db << " " << peak;
        }
        float loudest = 0;
        for (float v : s) {
            loudest = std::fmax(loudest, std::fabs(v));
        }
        EXPECT_LT(loudest, 1.0f) << f.Db;
    }
}

// The limiter: the plain peak up to -1 dBFS, then rising ever more slowly
// to 0.98, never by more than the plain peak does, and never above it.
TEST(Sound, PeakLimitedSmoothlyAboveMinusOneDbfs)
{
    double last = 0, lastPlain = 0;
    for (double db = 10; db <= 60; db += 0.25) {
        const double peak = TonePeak(db), plain = 0.1 * std::pow(10, db / 20);
        if (plain <= 0.891) {
            ASSERT_NEAR(peak, plain, 1e-12) << db;
        }
        ASSERT_TRUE(peak >= last && peak - last <= plain - lastPlain + 1e-12 && peak <= 0.98) << db;
        last = peak, lastPlain = plain;
    }
    EXPECT_GT(last, 0.979);
}

// Levels jumping by up to 58 dB every frame, pulled whole and in slices of
// 20 to 50 ms and odd sizes: the same samples, and no step between two of
// them larger than the loudest tone makes (2 pi f / rate x 0.98) plus the
// hiss's own (two of its largest samples, 8.6 sigma each). At 702.5 Hz a
// frame ends a quarter cycle on, so a jump of level would show at the crests.
TEST(Sound, NoClicksAndAnySliceOfThePullGivesTheSameSamples)
{
    SoundGenerator whole = StartSoundGenerator(Rate), sliced = StartSoundGenerator(Rate);
    SetToneFrequency(whole, 702.5);
    SetToneFrequency(sliced, 702.5);
    std::vector<float> a, b;
    const int slices[] = {441, 1102, 7, 757, 1, 2000};
    for (int frame = 0, slice = 0; frame < 20; ++frame) {
        const ReceiverSignal level = frame % 5 == 4 ? Level(0, 0) : Level(1, frame % 2 == 0 ? 18 : -40);
        SetSoundLevel(whole, level);
        SetSoundLevel(sliced, level);
        std::vector<float> s(Frame);
        FillSound(whole, s.data(), Frame);
        a.insert(a.end(), s.begin(), s.end());
        for (int at = 0; at < Frame; slice = (slice + 1) % 6) {
            const int count = std::min(slices[slice], Frame - at);
            FillSound(sliced, s.data(), count);
            b.insert(b.end(), s.begin(), s.begin() + count);
            at += count;
        }
    }
    ASSERT_EQ(a, b);
    const double bound = 2 * Pi * 702.5 / Rate * 0.98 + 2 * 8.6 * 0.1 / std::sqrt(2.0) * std::pow(10, -1.5);
    for (size_t n = 1; n < a.size(); ++n) {
        ASSERT_LT(std::fabs(a[n] - a[n - 1]), bound) << n;
    }
}

}  // namespace
