// Five scenes, one key each (1 to 5), that set the sliders, the receiver and
// the ionosphere at once, each to show one effect of the ionosphere on the
// signal. Shared by both editions and qsb-trace --scene.
#pragma once

#include "controls/slider_mappings.h"
#include "model/rough_layer.h"

constexpr int SceneCount = 5;

struct SceneSetting {
    const char* Name;
    bool StartLayer;            // the program's start values, not Position
    int Position[SliderCount];  // the sliders' positions, in the dialog's order
    double ReceiverX;           // the receiver, shown there
    Ionosphere Kind;            // the ionosphere's setting (its seed is kept)
};

// Calm, Deep multipath, Skip zone, Focusing, Disturbed.
extern const SceneSetting SceneSettings[SceneCount];

// "Calm", ...; "" for anything but 0 ... SceneCount - 1.
const char* SceneName(int scene);

// Sets a scene (0 ... SceneCount - 1; anything else is ignored): the layer's
// slider values into Scene, the receiver shown at its place with a fresh
// chart, the ionosphere's setting, fresh statistics; Viewer.ChosenScene
// remembers it. The drift's offset and the whiskers stay as they are.
void ChooseScene(int scene);

// What a slider of the dialog or the page shows for a scene: its position
// and its value text (the start texts for Calm, as at start).
struct SliderSetting {
    int Position;
    char Text[16];
};
SliderSetting SceneSlider(int scene, Slider slider);

// The four layer values a scene stores: Altitude, Amplitude, WaveNumber,
// PhaseStep of a SceneState, the rest the start values.
SceneState SceneLayer(int scene);
