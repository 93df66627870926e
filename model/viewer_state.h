// What the viewer switches beside the scene itself: the pause of the drift,
// the receiver with its latest signal, the chart's history and the fading
// statistics' window, and the ionosphere's roughness. One
// process-wide record, like Scene, written by the keys and the mouse and
// read by the painter.
#pragma once

#include <cstdint>

#include "model/fading_window.h"
#include "model/receiver.h"
#include "model/rough_layer.h"
#include "model/signal_history.h"

struct ViewerState {
    unsigned char ReceiverShown;
    unsigned char Paused;
    unsigned char StepPending;  // one drift step asked for while paused
    long long DriftSteps;       // drift steps taken: the program's clock, a tenth of a second each
    ReceiverSettings Receiver;
    ReceiverSignal Signal;  // at the last frame painted with the receiver shown
    SignalHistory History;
    RoughLayer Rough;               // the ionosphere: Smooth, or its irregularities
    unsigned char StatisticsShown;  // the "Fading statistics" view
    signed char ChosenScene;        // the scene chosen last (controls/scenes.h), NoSceneChosen for none
};

constexpr signed char NoSceneChosen = -1;

// The receiver hidden at its default place, the drift running, the
// ionosphere smooth with the default seed, no scene chosen.
ViewerState StartViewerState();

extern ViewerState Viewer;

// The receiver's levels for the fading statistics: beside Viewer rather than
// in it, so that a reset of Viewer (the page's, the benchmarks', every
// frame) does not copy its 24 KB. Cleared wherever the statistics start
// afresh, and by StartViewer.
extern FadingWindow Fading;

// Viewer and Fading as at start.
void StartViewer();

// Whether this frame moves the drift: always while running, and once for
// every step asked for while paused. Counts the steps in DriftSteps.
bool TakeDriftStep();

// The receiver's signal for the layer as it is now; the chart gets a sample
// for every step the drift moved, and so do the fading statistics. A rough
// ionosphere's time is the drift-step clock, so a paused drift holds it.
void UpdateReceiver(bool drifted);

// Shows or hides the receiver; showing starts a fresh chart and fresh statistics.
void ShowReceiver(bool shown);

// Moves the receiver, kept within ReceiverMinX ... ReceiverMaxX; a move
// starts fresh statistics.
void PlaceReceiver(double x);

// The ionosphere's setting and seed; a change draws its components anew and
// starts fresh statistics.
void SetIonosphere(Ionosphere kind, std::uint64_t seed);
