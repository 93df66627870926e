// What QSB sounds like: the receiver's signal as a beat note over a faint
// hiss. The generator knows no device: it fills a caller's buffer at a
// caller's sample rate, in pieces of any length, while the level arrives
// once a frame. One dB of signal is one dB of tone, and a deep fade sinks
// into the hiss as it does on the air.
#pragma once

#include "model/random.h"
#include "model/receiver.h"

constexpr double DefaultToneHz = 700.0, MinToneHz = 200.0, MaxToneHz = 2000.0;
constexpr double MinSampleRate = 8000.0, MaxSampleRate = 192000.0;
constexpr double SoundSecondsPerFrame = 0.1;

// The tone's peak at a signal of 0 dB: -20 dBFS.
constexpr double PeakAtZeroDb = 0.1;
// Above -1 dBFS the peak bends smoothly towards this ceiling; the hiss's
// largest possible sample still leaves it below full scale.
constexpr double LimiterKnee = 0.8912509381337456, LimiterCeiling = 0.98;
// The hiss's RMS, 30 dB under the 0 dB tone's RMS (0.1 / sqrt 2).
constexpr double HissRms = 0.0022360679774997898;
// How long the tone's peak takes to move to a new frame's level: half a
// frame, so a change is complete well within 150 ms of a frame.
constexpr double LevelRampSeconds = 0.05;

struct SoundGenerator {
    double SampleRate;
    double ToneHz;
    double Re, Im;          // the tone's phasor now, of length 1
    double TurnRe, TurnIm;  // its turn per sample, e^(i 2 pi ToneHz / SampleRate)
    double Peak;            // the tone's peak now
    double Target;          // the peak the ramp moves to
    double Step;            // added to Peak each sample until it reaches Target
    Random Hiss;
};

// Silent tone (hiss only) at 700 Hz; the rate is held within 8000 ... 192000.
// The hiss is seeded the same in every edition.
SoundGenerator StartSoundGenerator(double sampleRate);

// Held within 200 ... 2000 Hz; the tone's phase carries on.
void SetToneFrequency(SoundGenerator& generator, double hz);

// A frame's level: the receiver's coherent signal, or hiss only without a
// path. The peak ramps there from wherever it is.
void SetSoundLevel(SoundGenerator& generator, const ReceiverSignal& signal);

// The tone's peak for a signal level: 0.1 x 10^(dB / 20), limited smoothly
// above -1 dBFS.
double TonePeak(double signalDb);

// The next count samples, each within -1 ... 1.
void FillSound(SoundGenerator& generator, float* samples, int count);

// One frame's worth at a rate, rounded: 2205 at 22050 Hz.
int SamplesPerFrame(double sampleRate);

// A sample as 16-bit PCM, rounded, within -32767 ... 32767 (beyond full
// scale held at it, NaN as silence).
short PcmSample(float sample);
