#include "model/sound_generator.h"

#include <cmath>

namespace {

constexpr double TwoPi = 6.28318530717958647692;

// The same hiss everywhere, so a WAV written by the tool and the editions'
// sound are the same samples for the same frames.
constexpr std::uint64_t HissSeed = 0x51534248495353;

double Within(double value, double low, double high)
{
    return value > high ? high : value >= low ? value : low;  // NaN: low
}

}  // namespace

SoundGenerator StartSoundGenerator(double sampleRate)
{
    return SoundGenerator{
        Within(sampleRate, MinSampleRate, MaxSampleRate), DefaultToneHz, 0, 0, 0, 0, SeededRandom(HissSeed)};
}

void SetToneFrequency(SoundGenerator& generator, double hz) { generator.ToneHz = Within(hz, MinToneHz, MaxToneHz); }

// Below the knee k the peak is a itself; above it
//     p = k + (c - k) tanh((a - k) / (c - k)),
// which leaves the knee with slope 1 and never reaches the ceiling c.
double TonePeak(double signalDb)
{
    const double a = PeakAtZeroDb * std::pow(10.0, signalDb / 20);
    if (!(a > LimiterKnee)) {
        return a >= 0 ? a : 0;  // NaN: silence
    }
    const double room = LimiterCeiling - LimiterKnee;
    return LimiterKnee + room * std::tanh((a - LimiterKnee) / room);
}

// The peak moves in a straight line to the new level over LevelRampSeconds.
void SetSoundLevel(SoundGenerator& generator, const ReceiverSignal& signal)
{
    generator.Target = signal.Paths > 0 ? TonePeak(signal.SignalDb) : 0;
    generator.Step = (generator.Target - generator.Peak) / (LevelRampSeconds * generator.SampleRate);
}

// s = p sin(2 pi phi) + hiss, with phi advancing f / rate a sample; the
// hiss is Gaussian with HissRms.
void FillSound(SoundGenerator& generator, float* samples, int count)
{
    SoundGenerator& g = generator;
    const double advance = g.ToneHz / g.SampleRate;
    for (int i = 0; i < count; ++i) {
        if (g.Peak != g.Target) {
            g.Peak += g.Step;
            if (g.Step > 0 ? g.Peak >= g.Target : g.Peak <= g.Target) {
                g.Peak = g.Target;
            }
        }
        samples[i] = static_cast<float>(g.Peak * std::sin(TwoPi * g.Phase) + HissRms * RandomNormal(g.Hiss));
        g.Phase += advance;
        if (g.Phase >= 1) {
            g.Phase -= 1;
        }
    }
}

int SamplesPerFrame(double sampleRate)
{
    return static_cast<int>(std::lround(Within(sampleRate, MinSampleRate, MaxSampleRate) * SoundSecondsPerFrame));
}

short PcmSample(float sample)
{
    if (sample != sample) {
        return 0;  // silence, not a full-scale click
    }
    const double scaled = Within(sample, -1, 1) * 32767;
    return static_cast<short>(scaled < 0 ? scaled - 0.5 : scaled + 0.5);
}
