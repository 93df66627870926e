// What the viewer switches beside the scene itself: the pause of the drift,
// and the receiver with its latest signal and the chart's history. One
// process-wide record, like Scene, written by the keys and the mouse and
// read by the painter.
#pragma once

#include "model/receiver.h"
#include "model/signal_history.h"

struct ViewerState {
    unsigned char ReceiverShown;
    unsigned char Paused;
    unsigned char StepPending;  // one drift step asked for while paused
    long long DriftSteps;       // drift steps taken: the program's clock, a tenth of a second each
    ReceiverSettings Receiver;
    ReceiverSignal Signal;  // at the last frame painted with the receiver shown
    SignalHistory History;
};

// The receiver hidden at its default place, the drift running.
ViewerState StartViewerState();

extern ViewerState Viewer;

// Whether this frame moves the drift: always while running, and once for
// every step asked for while paused. Counts the steps in DriftSteps.
bool TakeDriftStep();

// The receiver's signal for the layer as it is now; the chart gets a sample
// for every step the drift moved.
void UpdateReceiver(bool drifted);

// Shows or hides the receiver; showing starts a fresh chart.
void ShowReceiver(bool shown);

// Moves the receiver, kept within ReceiverMinX ... ReceiverMaxX.
void PlaceReceiver(double x);
