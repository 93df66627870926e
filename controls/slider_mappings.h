// The sliders' arithmetic, shared by the Windows dialog and the page:
// positions to SceneState values and back, and the value texts. No window
// system involved.
#pragma once

#include "model/scene_state.h"

enum class Slider { Altitude, Amplitude, Frequency, Phase };
constexpr int SliderCount = 4;

struct SliderLayout {
    int Min, Max;  // position range; the minimum is at the top
    int TickFrequency;
    const char* Format;  // of the value text
};

// In the order the dialog sets them up: altitude, amplitude, frequency, phase.
extern const SliderLayout SliderLayouts[SliderCount];

const SliderLayout& LayoutOf(Slider slider);

// The value a position stands for, as the text shows it:
// 500 - p, 22 - p, (120 - p) / 100, (100 - p) / 10.
double SliderDisplayValue(Slider slider, int position);

// The value a position puts into its SceneState field: Altitude,
// Amplitude, WaveNumber ((120 - p) * 0.00017453293) or PhaseStep.
float SliderFieldValue(Slider slider, int position);

// Writes the position's value into Scene (Frequency is never written).
void StoreSliderValue(Slider slider, int position);

// The value the dialog shows before any slider moves (Frequency, not
// WaveNumber, for the frequency text), for Scene and for any state.
double StartDisplayValue(Slider slider);
double StartDisplayValueOf(const SceneState& state, Slider slider);

// The position that shows the current Scene value (or a state's), truncated
// toward zero.
int SliderStartPosition(Slider slider);
int SliderStartPositionOf(const SceneState& state, Slider slider);

// The position whose value is nearest `value` (a value as the text shows
// it, say from a link), held within the slider's range; NaN gives the minimum.
int SliderPositionOf(Slider slider, double value);

// The value text with the slider's format; returns what snprintf returns.
int FormatSliderValue(Slider slider, double value, char* buffer, int size);
