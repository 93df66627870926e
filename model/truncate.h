// Double to int, truncating toward zero, without undefined behaviour.
#pragma once

// The result for NaN, infinities and values beyond int's range.
constexpr int UnrepresentableInt = -2147483647 - 1;

int TruncateToInt(double v);
