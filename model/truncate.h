// Double to int, truncating toward zero, without undefined behaviour.
#pragma once

// The result for NaN, infinities and values beyond int's range.
constexpr int UnrepresentableInt = -2147483647 - 1;

// The rule spelled out: every value strictly between these bounds truncates
// into int's range; NaN fails both comparisons. Casting anything else would
// be undefined behaviour.
inline int TruncateToIntPortable(double v)
{
    if (v > -2147483649.0 && v < 2147483648.0) {
        return static_cast<int>(v);
    }
    return UnrepresentableInt;
}

// The painter truncates two thousand coordinates a frame. On x86-64 the
// truncating conversion instruction itself answers 0x80000000 for NaN and
// out-of-range values, which is exactly the rule above, without branches.
// It is written as assembly because compilers fold the intrinsic for
// constant arguments with other rules (0 for NaN, saturation).
inline int TruncateToInt(double v)
{
#if defined(__x86_64__) && (defined(__GNUC__) || defined(__clang__))
    int result;
    __asm__("cvttsd2si %1, %0" : "=r"(result) : "x"(v));
    return result;
#else
    return TruncateToIntPortable(v);
#endif
}
