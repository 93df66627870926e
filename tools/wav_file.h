// The receiver's sound as a WAV file: RIFF, PCM, 16-bit, mono. The header
// holds the sizes, which qsb-trace knows before the first sample (so the
// file is written straight through, and can be a pipe).
#pragma once

constexpr int WavSampleRate = 22050;
constexpr int WavHeaderBytes = 44;

// The header of a file of the given number of samples at the given rate.
void FormatWavHeader(unsigned char (&header)[WavHeaderBytes], int sampleRate, long long samples);

// Samples as 16-bit little-endian PCM, two bytes each, into bytes.
void FormatWavSamples(const float* samples, int count, unsigned char* bytes);
