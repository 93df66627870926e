// The dialog's value mappings for any position and any stored value: no
// undefined behaviour, texts fit their buffer and read back as the value,
// and a stored value maps back to a position next to the one it came from.
#include <cmath>
#include <cstdlib>

#include "app/slider_mappings.h"
#include "fuzz_input.h"
#include "model/scene_state.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    const Slider slider = static_cast<Slider>(in.Take<uint8_t>() % SliderCount);
    const int position = in.Take<int>();
    Scene = StartSceneState();

    const double value = SliderDisplayValue(slider, position);
    FUZZ_CHECK(std::isfinite(value));
    char text[64];
    const int length = FormatSliderValue(slider, value, text, sizeof text);
    FUZZ_CHECK(length > 0 && length < static_cast<int>(sizeof text));
    const double decimals = slider == Slider::Frequency ? 0.005 : 0.05;
    FUZZ_CHECK(std::fabs(std::strtod(text, nullptr) - value) <= decimals * 1.0001 + 1e-9 * std::fabs(value));

    StoreSliderValue(slider, position);
    const int back = SliderStartPosition(slider);
    const SliderLayout& layout = LayoutOf(slider);
    if (position >= layout.Min && position <= layout.Max) {
        FUZZ_CHECK(std::abs(back - position) <= 1);
    }

    // Any float in any field: the start position is defined (possibly the
    // unrepresentable value), never undefined behaviour.
    Scene.Altitude = Scene.Amplitude = Scene.WaveNumber = Scene.PhaseStep = in.Take<float>();
    (void)SliderStartPosition(slider);
    return 0;
}
