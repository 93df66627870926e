// What the viewer switches beside the scene itself: the pause of the drift,
// the receiver with its latest signal and the chart's history, the ground
// map, the waterfall and the sound, the ionosphere's roughness and the
// fading statistics. One process-wide record, like Scene, written by the
// keys and the mouse and read by the painter.
#pragma once

#include <cstdint>

#include "model/fading_window.h"
#include "model/ground_map.h"
#include "model/level_rings.h"
#include "model/receiver.h"
#include "model/rough_layer.h"
#include "model/signal_band.h"
#include "model/signal_history.h"

struct ViewerState {
    unsigned char ReceiverShown;
    unsigned char Paused;
    unsigned char StepPending;  // one drift step asked for while paused
    long long DriftSteps;       // drift steps taken: the program's clock, a tenth of a second each
    ReceiverSettings Receiver;
    ReceiverSignal Signal;  // at the last frame painted while Listening()
    SignalHistory History;
    unsigned char MapShown;         // the ground map under the scene
    unsigned char WaterfallShown;   // the band at the receiver
    unsigned char SoundOn;          // the receiver's signal as a tone
    RoughLayer Rough;               // the ionosphere: Smooth, or its irregularities
    unsigned char StatisticsShown;  // the "Fading statistics" view
    signed char ChosenScene;        // the scene chosen last (controls/scenes.h), NoSceneChosen for none
};

constexpr signed char NoSceneChosen = -1;

// The receiver hidden at its default place, the drift running, the
// ionosphere smooth with the default seed, no scene chosen.
ViewerState StartViewerState();

extern ViewerState Viewer;

// The map and the band as last worked out, and their last 30 seconds: too
// large to sit in Viewer, which is copied whole (on a stack that may be
// small). Start: empty rings.
struct FadingPatterns {
    GroundMap Map;      // at the last frame with the map shown
    SignalBand Band;    // at the last frame with the waterfall shown
    MapRing MapRows;    // a row for every drift step while the map is shown
    BandRing BandRows;  // likewise for the waterfall
};
extern FadingPatterns Patterns;

// The receiver's levels for the fading statistics, beside Viewer for the
// same reason (24 KB). Cleared wherever the statistics start afresh, and by
// StartViewer.
extern FadingWindow Fading;

// Viewer as at start, and the statistics' window empty.
void StartViewer();

// Whether anything shown needs the receiver's fan: the receiver, the map,
// the waterfall or the sound.
bool Listening();

// Whether this frame moves the drift: always while running, and once for
// every step asked for while paused. Counts the steps in DriftSteps.
bool TakeDriftStep();

// The receiver's signal for the layer as it is now, and from the same fan
// the map and the band while they are shown; the chart, the shown rings and
// the fading statistics get a row for every step the drift moved. A rough
// ionosphere's time is the drift-step clock, so a paused drift holds it.
void UpdateReceiver(bool drifted);

// Shows or hides the receiver; showing starts a fresh chart and fresh
// statistics. The waterfall and the sound belong to it: hiding it turns
// them off too.
void ShowReceiver(bool shown);

// Showing starts a fresh ring.
void ShowMap(bool shown);
void ShowWaterfall(bool shown);

// Moves the receiver, kept within ReceiverMinX ... ReceiverMaxX; a move
// starts fresh statistics.
void PlaceReceiver(double x);

// The ionosphere's setting and seed; a change draws its components anew and
// starts fresh statistics.
void SetIonosphere(Ionosphere kind, std::uint64_t seed);
