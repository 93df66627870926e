// The keys of the main window (and of the chart, which passes its keys on).
// T and N switch the whiskers and Q quits; they are matched with bit 0x20
// ignored, so that F5, the keypad's decimal point and F2 act as T, N and Q.
// The receiver's and the drift's keys are matched exactly: R shows or hides
// the receiver, the arrows move it, Space pauses the drift and the period
// key steps it while paused, F1 asks for help, S shows or hides the fading
// statistics, I steps the ionosphere through its settings and 1 to 5
// choose a scene.
#pragma once

#include <cstdint>

enum class KeyAction {
    None,               // handled here, or not a key of ours
    Quit,               // end the program at once
    ReceiverToggled,    // open or close the chart to match Viewer.ReceiverShown
    Help,               // show KeyHelpText
    SceneChosen,        // move the sliders to the scene's (SceneSlider) and show its name
    StatisticsToggled,  // show or hide the statistics view to match Viewer.StatisticsShown
    IonosphereChanged,  // show the ionosphere's new setting (IonosphereName)
};

// Virtual key codes of the keys beyond T, N and Q.
constexpr std::uintptr_t KeyReceiver = 0x52, KeyPause = 0x20, KeyStep = 0xBE, KeyHelp = 0x70;
constexpr std::uintptr_t KeyLeft = 0x25, KeyRight = 0x27;
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

// Every key and mouse action, one per line, for the help box.
extern const char KeyHelpText[];
