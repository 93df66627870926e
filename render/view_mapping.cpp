#include "render/view_mapping.h"

// The float nearest to 1000 / 1510 and to -500 / 510. The first is slightly
// low, so world x = 1500 lands on column 999, not 1000.
constexpr float ScreenXPerWorldX = static_cast<float>(1000.0 / 1510.0);
constexpr float ScreenYPerWorldY = static_cast<float>(-500.0 / 510.0);

int MapRange(int outLow, int outHigh, float inLow, float inHigh, float v)
{
    // The span as a 32-bit difference, computed without signed overflow.
    const int span = static_cast<int>(static_cast<unsigned>(outHigh) - static_cast<unsigned>(outLow));
    const double ratio = span / (static_cast<double>(inHigh) - inLow);
    return TruncateToInt(ratio * (static_cast<double>(v) - inLow) + outLow);
}

int MapToScreenX(double x) { return TruncateToInt((x + 10.0) * ScreenXPerWorldX + 0.0); }

int MapToScreenY(double y) { return TruncateToInt((y + 10.0) * ScreenYPerWorldY + 500.0); }
