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
    SoundGenerator generator{
        Within(sampleRate, MinSampleRate, MaxSampleRate), 0, 1, 0, 1, 0, 0, 0, 0, SeededRandom(HissSeed)};
    SetToneFrequency(generator, DefaultToneHz);
    return generator;
}

// The phasor keeps turning where it is: a new frequency changes only its turn.
void SetToneFrequency(SoundGenerator& generator, double hz)
{
    generator.ToneHz = Within(hz, MinToneHz, MaxToneHz);
    const double angle = TwoPi * generator.ToneHz / generator.SampleRate;
    generator.TurnRe = std::cos(angle);
    generator.TurnIm = std::sin(angle);
}

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

// s = p Im(z) + hiss, where the tone's phasor turns by w = e^(i 2 pi f / rate)
// a sample, z <- z w, and is pulled back to length 1 by one Newton step,
// z <- z (3 - |z|^2) / 2, so rounding never lets it grow or shrink: no sine
// per sample. The hiss is white, uniform in [-h, h] with h = sqrt 3 HissRms
// (the RMS of such noise is h / sqrt 3): a hiss needs no Gaussian shape.
void FillSound(SoundGenerator& generator, float* samples, int count)
{
    SoundGenerator& g = generator;
    const double hissHalfWidth = std::sqrt(3.0) * HissRms;
    for (int i = 0; i < count; ++i) {
        if (g.Peak != g.Target) {
            g.Peak += g.Step;
            if (g.Step > 0 ? g.Peak >= g.Target : g.Peak <= g.Target) {
                g.Peak = g.Target;
            }
        }
        const double hiss = hissHalfWidth * (2 * RandomUniform(g.Hiss) - 1);
        samples[i] = static_cast<float>(g.Peak * g.Im + hiss);
        const double re = g.Re * g.TurnRe - g.Im * g.TurnIm;
        const double im = g.Re * g.TurnIm + g.Im * g.TurnRe;
        const double pull = (3 - (re * re + im * im)) / 2;
        g.Re = re * pull;
        g.Im = im * pull;
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
