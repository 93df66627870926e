#include "model/random.h"

#include <cmath>

namespace {

std::uint64_t RotateLeft(std::uint64_t x, int k) { return (x << k) | (x >> (64 - k)); }

// splitmix64: spreads neighbouring seeds (1, 2, 3 ...) over unrelated states.
std::uint64_t SplitMix(std::uint64_t& x)
{
    std::uint64_t z = (x += 0x9E3779B97F4A7C15ULL);
    z = (z ^ (z >> 30)) * 0xBF58476D1CE4E5B9ULL;
    z = (z ^ (z >> 27)) * 0x94D049BB133111EBULL;
    return z ^ (z >> 31);
}

constexpr double TwoPi = 6.283185307179586476925;

}  // namespace

Random SeededRandom(std::uint64_t seed)
{
    Random random{};
    for (std::uint64_t& word : random.State) {
        word = SplitMix(seed);
    }
    return random;
}

std::uint64_t NextRandom(Random& random)
{
    std::uint64_t* s = random.State;
    const std::uint64_t result = RotateLeft(s[1] * 5, 7) * 9;
    const std::uint64_t t = s[1] << 17;
    s[2] ^= s[0];
    s[3] ^= s[1];
    s[1] ^= s[2];
    s[0] ^= s[3];
    s[2] ^= t;
    s[3] = RotateLeft(s[3], 45);
    return result;
}

double RandomUniform(Random& random) { return static_cast<double>(NextRandom(random) >> 11) * 0x1.0p-53; }

// z = sqrt(-2 ln(1 - u1)) cos(2 pi u2); 1 - u1 lies in (0, 1], so the
// logarithm is always finite.
double RandomNormal(Random& random)
{
    const double u1 = RandomUniform(random);
    const double u2 = RandomUniform(random);
    return std::sqrt(-2 * std::log(1 - u1)) * std::cos(TwoPi * u2);
}
