// The keys of the main window (and of the chart, which passes its keys on).
// T and N switch the whiskers and Q quits; they are matched with bit 0x20
// ignored, so that F5, the keypad's decimal point and F2 act as T, N and Q.
// The receiver's and the drift's keys are matched exactly: R shows or hides
// the receiver, the arrows move it, M the ground map, W the waterfall, A the
// sound, Space pauses the drift and the period key steps it while paused,
// F1 asks for help, S shows or hides the fading statistics, I steps the
// ionosphere through its settings and 1 to 5 choose a scene. The waterfall
// and the sound are the receiver's: W or A while it is hidden shows it as
// well, and hiding it ends both.
#pragma once

#include <cstdint>

enum class KeyAction {
    None,             // handled here, or not a key of ours
    Quit,             // end the program at once
    ReceiverToggled,  // open or close the chart to match Viewer.ReceiverShown
    Help,             // show KeyHelpText
    // These three, like ReceiverToggled, may change more than their own
    // flag: bring the chart, the map, the waterfall and the sound in line
    // with Viewer's ReceiverShown, MapShown, WaterfallShown and SoundOn.
    MapToggled,
    WaterfallToggled,
    SoundToggled,
    // A scene shows the receiver too (and so, like ReceiverToggled, may
    // need the chart opened): move the sliders to SceneSlider's positions
    // and texts, and show SceneName where the user looks.
    SceneChosen,
    StatisticsToggled,  // show or hide the statistics view to match Viewer.StatisticsShown
    IonosphereChanged,  // show the ionosphere's new setting (IonosphereName)
};

// Virtual key codes of the keys beyond T, N and Q.
constexpr std::uintptr_t KeyReceiver = 0x52, KeyPause = 0x20, KeyStep = 0xBE, KeyHelp = 0x70;
constexpr std::uintptr_t KeyLeft = 0x25, KeyRight = 0x27;
constexpr std::uintptr_t KeyMap = 0x4D, KeyWaterfall = 0x57, KeySound = 0x41;
constexpr std::uintptr_t KeyStatistics = 0x53, KeyIonosphere = 0x49;
// The digit keys 1 to 5 above the letters, for the scenes in order.
constexpr std::uintptr_t KeyFirstScene = 0x31;

// How far one arrow key moves the receiver, in world units.
constexpr double ReceiverKeyStep = 10.0;

// Applies one key-down to Scene's whisker switches and to Viewer. The
// switches form a three-state machine: normals (start), tangents, none.
KeyAction ApplyKey(std::uintptr_t keyCode);

// The receiver's place for a click at a client column: the world x drawn
// there, to the nearest unit (PlaceReceiver keeps it within range).
double ReceiverXAtColumn(int column);

// Every key and mouse action, one per line, for the help box; it ends with
// the program's name and version.
extern const char KeyHelpText[];
