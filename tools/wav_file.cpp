#include "tools/wav_file.h"

#include <cstring>

#include "model/sound_generator.h"

static void PutLittleEndian(unsigned char* at, unsigned long value, int bytes)
{
    for (int i = 0; i < bytes; ++i) {
        at[i] = static_cast<unsigned char>(value >> (8 * i));
    }
}

// RIFF <size> WAVE, then "fmt " (16 bytes: PCM, channels, rate, bytes a
// second, bytes a sample frame, bits a sample), then "data" <size>.
void FormatWavHeader(unsigned char (&header)[WavHeaderBytes], int sampleRate, long long samples)
{
    const unsigned long dataBytes = static_cast<unsigned long>(samples) * 2;
    std::memcpy(header, "RIFF", 4);
    PutLittleEndian(header + 4, 36 + dataBytes, 4);
    std::memcpy(header + 8, "WAVEfmt ", 8);
    PutLittleEndian(header + 16, 16, 4);
    PutLittleEndian(header + 20, 1, 2);  // PCM
    PutLittleEndian(header + 22, 1, 2);  // mono
    PutLittleEndian(header + 24, static_cast<unsigned long>(sampleRate), 4);
    PutLittleEndian(header + 28, static_cast<unsigned long>(sampleRate) * 2, 4);
    PutLittleEndian(header + 32, 2, 2);
    PutLittleEndian(header + 34, 16, 2);
    std::memcpy(header + 36, "data", 4);
    PutLittleEndian(header + 40, dataBytes, 4);
}

void FormatWavSamples(const float* samples, int count, unsigned char* bytes)
{
    for (int i = 0; i < count; ++i, bytes += 2) {
        PutLittleEndian(bytes, static_cast<unsigned short>(PcmSample(samples[i])), 2);
    }
}
