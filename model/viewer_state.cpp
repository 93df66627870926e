#include "model/viewer_state.h"

ViewerState StartViewerState()
{
    ViewerState start{};
    start.Receiver = DefaultReceiverSettings();
    ClearSignalHistory(start.History);
    return start;
}

ViewerState Viewer = StartViewerState();

// A step asked for is used up by the next frame, paused or not, so that
// resuming never leaves one behind for a later pause.
bool TakeDriftStep()
{
    const bool drifts = !Viewer.Paused || Viewer.StepPending != 0;
    Viewer.StepPending = 0;
    Viewer.DriftSteps += drifts ? 1 : 0;
    return drifts;
}

void UpdateReceiver(bool drifted)
{
    ComputeReceiverSignal(CurrentLayer(), Viewer.Receiver, Viewer.Signal);
    if (drifted) {
        AddSignalSample(Viewer.History, SignalSample{Viewer.DriftSteps, Viewer.Signal.Paths, Viewer.Signal.FocusDb,
                                                     Viewer.Signal.SignalDb, Viewer.Receiver.X});
    }
}

void ShowReceiver(bool shown)
{
    Viewer.ReceiverShown = shown;
    ClearSignalHistory(Viewer.History);
    Viewer.Signal.Paths = 0;
}

void PlaceReceiver(double x)
{
    Viewer.Receiver.X = x < ReceiverMinX ? ReceiverMinX : x > ReceiverMaxX ? ReceiverMaxX : x;
}
