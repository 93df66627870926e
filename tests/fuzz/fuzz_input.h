// Reads typed values off a fuzzer's byte string; missing bytes read as zero.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

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

// Stops the run with a message the fuzzer keeps next to the crashing input.
inline void Require(bool holds, const char* property)
{
    if (!holds) {
        std::fprintf(stderr, "property failed: %s\n", property);
        std::abort();
    }
}
#define FUZZ_CHECK(condition) Require(condition, #condition)
