// The view mapping with any value: every result is a pixel truncated toward
// zero from the exact mapping, or -2147483648, and never undefined behaviour.
#include <cmath>

#include "fuzz_input.h"
#include "render/view_mapping.h"

static void CheckMapping(int pixel, long double exact)
{
    if (!std::isfinite(exact) || exact <= -2147483649.0L || exact >= 2147483648.0L) {
        FUZZ_CHECK(pixel == UnmappablePixel);
        return;
    }
    // Within a pixel of the exact value, on the side of zero.
    FUZZ_CHECK(std::fabs(static_cast<long double>(pixel)) <= std::fabs(exact) + 1e-6L);
    FUZZ_CHECK(std::fabs(exact - pixel) < 1.0L + 1e-6L * std::fabs(exact));
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    const double v = in.Take<double>();
    const float f = in.Take<float>();
    const int outLow = in.Take<int>(), outHigh = in.Take<int>();
    const float inLow = in.Take<float>(), inHigh = in.Take<float>();

    FUZZ_CHECK(TruncateToInt(v) == TruncateToIntPortable(v));
    CheckMapping(MapToScreenX(v), (static_cast<long double>(v) + 10) * ScreenXPerWorldX);
    CheckMapping(MapToScreenY(v), (static_cast<long double>(v) + 10) * ScreenYPerWorldY + 500);
    CheckMapping(MapToScreenX(f), (static_cast<long double>(f) + 10) * ScreenXPerWorldX);
    const int general = MapRange(outLow, outHigh, inLow, inHigh, f);
    FUZZ_CHECK(general == UnmappablePixel || std::isfinite(f));
    return 0;
}
