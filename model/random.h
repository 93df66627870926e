// The program's one random number generator: xoshiro256** seeded through
// splitmix64. Integer arithmetic only, so a seed gives the same numbers in
// every build (native, Windows under Wine, the browser's WebAssembly).
#pragma once

#include <cstdint>

struct Random {
    std::uint64_t State[4];
};

// Any seed, 0 included, gives a valid (never all-zero) state.
Random SeededRandom(std::uint64_t seed);

std::uint64_t NextRandom(Random& random);

// Uniform in [0, 1), from the top 53 bits: exactly representable.
double RandomUniform(Random& random);

// Standard normal (mean 0, variance 1) by Box and Muller, one value per
// call. Its logarithm and cosine come from the platform's library, so two
// builds may differ in the last bit, never more.
double RandomNormal(Random& random);
