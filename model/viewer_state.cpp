#include "model/viewer_state.h"

ViewerState StartViewerState()
{
    ViewerState start{};
    start.Receiver = DefaultReceiverSettings();
    ClearSignalHistory(start.History);
    start.Rough = MakeRoughLayer(Ionosphere::Smooth, DefaultRoughSeed);
    start.ChosenScene = NoSceneChosen;
    return start;
}

ViewerState Viewer = StartViewerState();

// Zero-initialised: both rings start empty.
FadingPatterns Patterns;

FadingWindow Fading;  // zero: empty

void StartViewer()
{
    Viewer = StartViewerState();
    ClearFadingWindow(Fading);
}

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
    const double seconds = static_cast<double>(Viewer.DriftSteps) / 10;
    ListenToFan(CurrentLayer(), Viewer.Receiver, &Viewer.Rough, seconds, Viewer.Signal, band ? &Patterns.Band : nullptr,
                map ? &Patterns.Map : nullptr);
    if (drifted) {
        AddSignalSample(Viewer.History, SignalSample{Viewer.DriftSteps, Viewer.Signal.Paths, Viewer.Signal.FocusDb,
                                                     Viewer.Signal.SignalDb, Viewer.Receiver.X});
        AddFadingLevel(Fading, Viewer.Signal.Paths > 0 ? Viewer.Signal.SignalDb : NoSignalDb);
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
    ClearFadingWindow(Fading);
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
    const double placed = x < ReceiverMinX ? ReceiverMinX : x > ReceiverMaxX ? ReceiverMaxX : x;
    if (placed != Viewer.Receiver.X) {
        ClearFadingWindow(Fading);
    }
    Viewer.Receiver.X = placed;
}

void SetIonosphere(Ionosphere kind, std::uint64_t seed)
{
    if (kind != Viewer.Rough.Kind || seed != Viewer.Rough.Seed) {
        Viewer.Rough = MakeRoughLayer(kind, seed);
        ClearFadingWindow(Fading);
    }
}
