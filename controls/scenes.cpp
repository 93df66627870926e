#include "controls/scenes.h"

#include "model/viewer_state.h"

// Each chosen by measurement (scripts/fading-report prints what each one
// does); positions are 500 - H, 22 - A, 120 - 100 f and 100 - 10 drift.
//   Deep multipath: H 300, A 22, f 1.20 at x = 1200: six paths, nulls 30 dB deep.
//   Skip zone: H 400, A 22, f 0.52 at x = 60: a signal 59 % of the time,
//   back every 9 s as the nearest landing sweeps to and fro.
//   Focusing: H 100, A 11, f 0.60 at x = 600: one path, a caustic's peak
//   16 dB over the median every 8 s, no nulls.
//   Disturbed: the start layer at x = 900 with a disturbed ionosphere.
const SceneSetting SceneSettings[SceneCount] = {
    {"Calm", true, {0, 0, 0, 0}, 900, Ionosphere::Smooth},
    {"Deep multipath", false, {200, 0, 0, 25}, 1200, Ionosphere::Smooth},
    {"Skip zone", false, {100, 0, 68, 25}, 60, Ionosphere::Smooth},
    {"Focusing", false, {400, 11, 60, 25}, 600, Ionosphere::Smooth},
    {"Disturbed", true, {0, 0, 0, 0}, 900, Ionosphere::Disturbed},
};

static bool IsScene(int scene) { return scene >= 0 && scene < SceneCount; }

const char* SceneName(int scene) { return IsScene(scene) ? SceneSettings[scene].Name : ""; }

SceneState SceneLayer(int scene)
{
    SceneState state = StartSceneState();
    if (!IsScene(scene) || SceneSettings[scene].StartLayer) {
        return state;
    }
    const int* position = SceneSettings[scene].Position;
    state.Altitude = SliderFieldValue(Slider::Altitude, position[0]);
    state.Amplitude = SliderFieldValue(Slider::Amplitude, position[1]);
    state.WaveNumber = SliderFieldValue(Slider::Frequency, position[2]);
    state.PhaseStep = SliderFieldValue(Slider::Phase, position[3]);
    return state;
}

void ChooseScene(int scene)
{
    if (!IsScene(scene)) {
        return;
    }
    const SceneState layer = SceneLayer(scene);
    Scene.Altitude = layer.Altitude;
    Scene.Amplitude = layer.Amplitude;
    Scene.WaveNumber = layer.WaveNumber;
    Scene.PhaseStep = layer.PhaseStep;
    ShowReceiver(true);  // a fresh chart and fresh statistics
    PlaceReceiver(SceneSettings[scene].ReceiverX);
    SetIonosphere(SceneSettings[scene].Kind, Viewer.Rough.Seed);
    Viewer.ChosenScene = static_cast<signed char>(scene);
}

// Calm shows what the dialog shows at start: the start values' texts at the
// positions computed back from them.
SliderSetting SceneSlider(int scene, Slider slider)
{
    SliderSetting setting{0, ""};
    if (!IsScene(scene)) {
        return setting;
    }
    const SceneState layer = SceneLayer(scene);
    double shown = 0;
    if (SceneSettings[scene].StartLayer) {
        setting.Position = SliderStartPositionOf(layer, slider);
        shown = StartDisplayValueOf(layer, slider);
    } else {
        setting.Position = SceneSettings[scene].Position[static_cast<int>(slider)];
        shown = SliderDisplayValue(slider, setting.Position);
    }
    FormatSliderValue(slider, shown, setting.Text, sizeof setting.Text);
    return setting;
}
