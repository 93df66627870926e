#include "controls/key_commands.h"

#include <cmath>

#include "controls/scenes.h"
#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "qsb_version.h"
#include "render/view_mapping.h"

constexpr std::uintptr_t CaseBit = 0x20;
constexpr std::uintptr_t KeyT = 0x54;
constexpr std::uintptr_t KeyN = 0x4E;
constexpr std::uintptr_t KeyQ = 0x51;

const char KeyHelpText[] = "T: tangent whiskers on or off\n"
                           "N: normal whiskers on or off\n"
                           "R: the receiver and its signal chart on or off\n"
                           "Left, Right: move the receiver by 10\n"
                           "M: the ground map (the signal along the whole ground) on or off\n"
                           "W: the waterfall (the signal across the band at the receiver) on or off\n"
                           "A: the sound of the receiver's signal on or off\n"
                           "Right click: put the receiver there\n"
                           "Space: pause or resume the drift\n"
                           "Period (.): one drift step while paused\n"
                           "S: the fading statistics on or off\n"
                           "I: the ionosphere smooth, quiet, moderate or disturbed\n"
                           "1 to 5: the scenes Calm, Deep multipath, Skip zone, Focusing, Disturbed\n"
                           "F1: this help\n"
                           "Q, or a left click: quit\n"
                           "\n"
                           "While the parameter dialog is active, the keys move its sliders; "
                           "a right click in the main window gives them back to the picture.\n"
                           "\n"
                           "QSB effect of the ionosphere " QSB_VERSION;

// The waterfall and the sound are heard at the receiver: turning either on
// shows it, if hidden.
static void ShowReceiverFor(bool turnedOn)
{
    if (turnedOn && !Viewer.ReceiverShown) {
        ShowReceiver(true);
    }
}

// The fading's keys: the statistics view, the ionosphere's setting (its
// seed kept) and the scenes.
static KeyAction ApplyFadingKey(std::uintptr_t code)
{
    switch (code) {
    case KeyStatistics: Viewer.StatisticsShown ^= 1; return KeyAction::StatisticsToggled;
    case KeyIonosphere:
        SetIonosphere(NextIonosphere(Viewer.Rough.Kind), Viewer.Rough.Seed);
        return KeyAction::IonosphereChanged;
    }
    if (code >= KeyFirstScene && code < KeyFirstScene + SceneCount) {
        ChooseScene(static_cast<int>(code - KeyFirstScene));
        return KeyAction::SceneChosen;
    }
    return KeyAction::None;
}

// The arrows move the receiver only while it is shown.
static KeyAction ApplyReceiverKey(std::uintptr_t code)
{
    const double step = Viewer.ReceiverShown ? ReceiverKeyStep : 0.0;
    switch (code) {
    case KeyReceiver: ShowReceiver(!Viewer.ReceiverShown); return KeyAction::ReceiverToggled;
    case KeyLeft: PlaceReceiver(Viewer.Receiver.X - step); return KeyAction::None;
    case KeyRight: PlaceReceiver(Viewer.Receiver.X + step); return KeyAction::None;
    case KeyPause: Viewer.Paused ^= 1; return KeyAction::None;
    case KeyStep: Viewer.StepPending = Viewer.Paused; return KeyAction::None;
    case KeyHelp: return KeyAction::Help;
    case KeyMap: ShowMap(!Viewer.MapShown); return KeyAction::MapToggled;
    case KeyWaterfall:
        ShowWaterfall(!Viewer.WaterfallShown);
        ShowReceiverFor(Viewer.WaterfallShown);
        return KeyAction::WaterfallToggled;
    case KeySound:
        Viewer.SoundOn ^= 1;
        ShowReceiverFor(Viewer.SoundOn);
        return KeyAction::SoundToggled;
    }
    return ApplyFadingKey(code);
}

KeyAction ApplyKey(std::uintptr_t keyCode)
{
    const std::uintptr_t code = keyCode & ~CaseBit;
    if (code == KeyT) {
        Scene.ShowTangents ^= 1;
        if (Scene.ShowTangents) {
            Scene.ShowNormals = 0;
        }
    } else if (code == KeyN) {
        Scene.ShowNormals ^= 1;
        if (Scene.ShowNormals) {
            Scene.ShowTangents = 0;
        }
    } else if (code == KeyQ) {
        return KeyAction::Quit;
    } else {
        return ApplyReceiverKey(keyCode);
    }
    return KeyAction::None;
}

double ReceiverXAtColumn(int column) { return std::round(column / static_cast<double>(ScreenXPerWorldX) - 10.0); }
