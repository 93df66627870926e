// How wide a text is drawn, estimated: every edition draws the texts in an
// 11 px sans-serif. DejaVu Sans, the widest usual one, averages under 6 px
// a character over the views' texts (a digit takes 7, a space 3.5): six a
// character, and one more, holds them. Layouts choose their lines by it.
#pragma once

#include <cstring>

constexpr int TextLineHeight = 14;

constexpr int EstimatedWidth(int characters) { return 6 * (characters + 1); }
inline int TextWidth(const char* text) { return EstimatedWidth(static_cast<int>(std::strlen(text))); }
