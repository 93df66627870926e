// World coordinates to client pixels. The world window x -10 ... 1500,
// y -10 ... 500 maps onto client columns 0 ... 1000 and rows 500 ... 0.
#pragma once

#include "model/truncate.h"

// What every coordinate that is not a number, infinite, or beyond the
// 32-bit range maps to. Pixels are truncated toward zero, never floored.
constexpr int UnmappablePixel = UnrepresentableInt;

// outLow + (outHigh - outLow) / (inHigh - inLow) * (v - inLow), truncated.
int MapRange(int outLow, int outHigh, float inLow, float inHigh, float v);

// The float nearest to 1000 / 1510 and to -500 / 510. The first is slightly
// low, so world x = 1500 lands on column 999, not 1000.
constexpr float ScreenXPerWorldX = static_cast<float>(1000.0 / 1510.0);
constexpr float ScreenYPerWorldY = static_cast<float>(-500.0 / 510.0);

// The same rule with the ratio fixed in advance and rounded to float.
// Both take doubles: layer heights and whisker ends arrive unrounded.
inline int MapToScreenX(double x) { return TruncateToInt((x + 10.0) * ScreenXPerWorldX + 0.0); }
inline int MapToScreenY(double y) { return TruncateToInt((y + 10.0) * ScreenYPerWorldY + 500.0); }
