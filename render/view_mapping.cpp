#include "render/view_mapping.h"

int MapRange(int outLow, int outHigh, float inLow, float inHigh, float v)
{
    // The span as a 32-bit difference, computed without signed overflow.
    const int span = static_cast<int>(static_cast<unsigned>(outHigh) - static_cast<unsigned>(outLow));
    const double ratio = span / (static_cast<double>(inHigh) - inLow);
    return TruncateToInt(ratio * (static_cast<double>(v) - inLow) + outLow);
}
