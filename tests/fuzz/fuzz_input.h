// Reads typed values off a fuzzer's byte string; missing bytes read as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "model/scene_state.h"

struct FuzzInput {
    const uint8_t* Data;
    size_t Size;

    template <typename T> T Take()
    {
        T value{};
        const size_t n = Size < sizeof value ? Size : sizeof value;
        std::memcpy(&value, Data, n);
        Data += n;
        Size -= n;
        return value;
    }
};

// A scene from the start values with the layer's four parameters taken from
// the input: altitude, amplitude, wave number, drift.
inline void TakeLayer(FuzzInput& in)
{
    Scene = StartSceneState();
    Scene.Altitude = in.Take<float>();
    Scene.Amplitude = in.Take<float>();
    Scene.WaveNumber = in.Take<float>();
    Scene.PhaseOffset = in.Take<float>();
}

// Stops the run with a message the fuzzer keeps next to the crashing input.
#define FUZZ_CHECK(condition)                                                                                          \
    do {                                                                                                               \
        if (!(condition)) {                                                                                            \
            std::fprintf(stderr, "property failed: %s (%s:%d)\n", #condition, __FILE__, __LINE__);                     \
            std::abort();                                                                                              \
        }                                                                                                              \
    } while (0)
