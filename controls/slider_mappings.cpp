#include "controls/slider_mappings.h"

#include <cmath>
#include <cstdio>

#include "model/scene_state.h"
#include "model/truncate.h"

// One step of the frequency slider: 0.01 of the shown frequency, as a wave number.
constexpr double WaveNumberPerStep = 0.00017453293;

const SliderLayout SliderLayouts[SliderCount] = {
    {100, 400, 30, "%5.1f"},
    {0, 22, 2, "%5.1f"},
    {0, 120, 10, "%5.2f"},
    {-40, 150, 20, "%4.1f"},
};

const SliderLayout& LayoutOf(Slider slider) { return SliderLayouts[static_cast<int>(slider)]; }

// Positions are widened before the subtraction, so no int can overflow.
double SliderDisplayValue(Slider slider, int position)
{
    const double p = position;
    switch (slider) {
    case Slider::Altitude: return 500.0 - p;
    case Slider::Amplitude: return 22.0 - p;
    case Slider::Frequency: return (120.0 - p) / 100.0;
    case Slider::Phase: return (100.0 - p) / 10.0;
    }
    return 0.0;
}

// The field holds the shown value, rounded to float; only the frequency
// slider stores something else, the wave number behind the shown frequency.
float SliderFieldValue(Slider slider, int position)
{
    if (slider == Slider::Frequency) {
        return static_cast<float>((120.0 - position) * WaveNumberPerStep);
    }
    return static_cast<float>(SliderDisplayValue(slider, position));
}

void StoreSliderValue(Slider slider, int position)
{
    const float value = SliderFieldValue(slider, position);
    switch (slider) {
    case Slider::Altitude: Scene.Altitude = value; return;
    case Slider::Amplitude: Scene.Amplitude = value; return;
    case Slider::Frequency: Scene.WaveNumber = value; return;
    case Slider::Phase: Scene.PhaseStep = value; return;
    }
}

double StartDisplayValueOf(const SceneState& state, Slider slider)
{
    switch (slider) {
    case Slider::Altitude: return state.Altitude;
    case Slider::Amplitude: return state.Amplitude;
    case Slider::Frequency: return state.Frequency;
    case Slider::Phase: return state.PhaseStep;
    }
    return 0.0;
}

double StartDisplayValue(Slider slider) { return StartDisplayValueOf(Scene, slider); }

// Computed back from WaveNumber, held in float, the frequency start position
// is 67, not 68: 120 - k * 100 / DegToRad is slightly below 68.
int SliderStartPositionOf(const SceneState& state, Slider slider)
{
    switch (slider) {
    case Slider::Altitude: return TruncateToInt(500.0 - state.Altitude);
    case Slider::Amplitude: return TruncateToInt(22.0 - state.Amplitude);
    case Slider::Frequency: return TruncateToInt(120.0 - state.WaveNumber * 100.0 / DegToRad);
    case Slider::Phase: return TruncateToInt(100.0 - state.PhaseStep * 10.0);
    }
    return 0;
}

int SliderStartPosition(Slider slider) { return SliderStartPositionOf(Scene, slider); }

// The inverse of SliderDisplayValue, rounded to the nearest position: a
// shown 0.53 is 52.999... hundredths, so truncating would be one step off.
int SliderPositionOf(Slider slider, double value)
{
    double p = 0.0;
    switch (slider) {
    case Slider::Altitude: p = 500.0 - value; break;
    case Slider::Amplitude: p = 22.0 - value; break;
    case Slider::Frequency: p = 120.0 - value * 100.0; break;
    case Slider::Phase: p = 100.0 - value * 10.0; break;
    }
    const SliderLayout& layout = LayoutOf(slider);
    if (!(p > layout.Min)) {
        return layout.Min;
    }
    return p < layout.Max ? TruncateToInt(std::round(p)) : layout.Max;
}

int FormatSliderValue(Slider slider, double value, char* buffer, int size)
{
    return std::snprintf(buffer, size, LayoutOf(slider).Format, value);
}
