#include "model/viewer_state.h"

ViewerState StartViewerState()
{
    ViewerState start{};
    start.Receiver = DefaultReceiverSettings();
    ClearSignalHistory(start.History);
    return start;
}

ViewerState Viewer = StartViewerState();

// Zero-initialised: both rings start empty.
FadingPatterns Patterns;

bool Listening() { return Viewer.ReceiverShown || Viewer.MapShown || Viewer.WaterfallShown || Viewer.SoundOn; }

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
    const bool map = Viewer.MapShown != 0, band = Viewer.WaterfallShown != 0;
    ListenToFan(CurrentLayer(), Viewer.Receiver, Viewer.Signal, band ? &Patterns.Band : nullptr,
                map ? &Patterns.Map : nullptr);
    if (drifted) {
        AddSignalSample(Viewer.History, SignalSample{Viewer.DriftSteps, Viewer.Signal.Paths, Viewer.Signal.FocusDb,
                                                     Viewer.Signal.SignalDb, Viewer.Receiver.X});
        if (map) {
            AddMapRow(Patterns.MapRows, Patterns.Map);
        }
        if (band) {
            AddBandRow(Patterns.BandRows, Patterns.Band);
        }
    }
}

void ShowReceiver(bool shown)
{
    Viewer.ReceiverShown = shown;
    ClearSignalHistory(Viewer.History);
    Viewer.Signal.Paths = 0;
    if (!shown) {
        Viewer.WaterfallShown = 0;
        Viewer.SoundOn = 0;
    }
}

void ShowMap(bool shown)
{
    Viewer.MapShown = shown;
    ClearRingRows(Patterns.MapRows.Rows);
}

void ShowWaterfall(bool shown)
{
    Viewer.WaterfallShown = shown;
    ClearRingRows(Patterns.BandRows.Rows);
}

void PlaceReceiver(double x)
{
    Viewer.Receiver.X = x < ReceiverMinX ? ReceiverMinX : x > ReceiverMaxX ? ReceiverMaxX : x;
}
