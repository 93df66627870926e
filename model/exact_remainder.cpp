#include "model/exact_remainder.h"

#include <cmath>
#include <cstdint>
#include <cstring>

namespace {

std::uint64_t Bits(double v)
{
    std::uint64_t bits;
    std::memcpy(&bits, &v, sizeof bits);
    return bits;
}

double FromBits(std::uint64_t bits)
{
    double v;
    std::memcpy(&v, &bits, sizeof v);
    return v;
}

constexpr int MantissaBits = 52;
constexpr std::uint64_t MantissaMask = (std::uint64_t{1} << MantissaBits) - 1;
constexpr int MaxShift = 11;  // 53-bit significand shifted within 64 bits

}  // namespace

// A positive normal double is a 2^(E - 1075), with a = 2^52 + its mantissa
// field (an integer below 2^53) and E its exponent field. For x = a 2^e and
// y = b 2^f:
//     e < f:   x < y, and x mod y = x;
//     e >= f:  x mod y = ((a 2^(e - f)) mod b) 2^f,
// the integer remainder below b < 2^53, so exact as a double, and 2^f a
// normal power of two wherever y's exponent field is at least 53. Anything
// else (zero, negative, subnormal, infinite or NaN operands, a quotient of
// 2^11 or more) goes to std::fmod.
double ExactRemainder(double x, double y)
{
    const std::uint64_t xBits = Bits(x), yBits = Bits(y);
    const int xExponent = static_cast<int>(xBits >> MantissaBits);  // the sign bit too: 0 for positive
    const int yExponent = static_cast<int>(yBits >> MantissaBits);
    const bool normal = xExponent >= 1 && xExponent <= 2046 && yExponent >= MantissaBits + 1 && yExponent <= 2046;
    if (!normal || xExponent - yExponent > MaxShift) {
        return std::fmod(x, y);
    }
    if (xExponent < yExponent) {
        return x;
    }
    const std::uint64_t a = (xBits & MantissaMask) | (MantissaMask + 1);
    const std::uint64_t b = (yBits & MantissaMask) | (MantissaMask + 1);
    const std::uint64_t remainder = (a << (xExponent - yExponent)) % b;
    const double scale = FromBits(static_cast<std::uint64_t>(yExponent - MantissaBits) << MantissaBits);
    return static_cast<double>(remainder) * scale;
}
