// World coordinates to client pixels. The world window x -10 ... 1500,
// y -10 ... 500 maps onto client columns 0 ... 1000 and rows 500 ... 0.
#pragma once

#include "model/truncate.h"

// What every coordinate that is not a number, infinite, or beyond the
// 32-bit range maps to. Pixels are truncated toward zero, never floored.
constexpr int UnmappablePixel = UnrepresentableInt;

// outLow + (outHigh - outLow) / (inHigh - inLow) * (v - inLow), truncated.
int MapRange(int outLow, int outHigh, float inLow, float inHigh, float v);

// The same rule with the ratio fixed in advance and rounded to float.
// Both take doubles: layer heights and whisker ends arrive unrounded.
int MapToScreenX(double x);
int MapToScreenY(double y);
