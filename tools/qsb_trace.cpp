// qsb-trace: the drawing operations of consecutive frames as text, exactly as
// the painter issues them; optionally the receiver's signal per frame and its
// fading statistics as CSV, and the last frame as an SVG picture.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "model/fading_csv.h"
#include "model/fading_statistics.h"
#include "model/fading_window.h"
#include "model/scene_state.h"
#include "model/signal_csv.h"
#include "model/viewer_state.h"
#include "render/fading_view.h"
#include "render/frame_painter.h"
#include "render/recording_surface.h"
#include "render/signal_chart.h"
#include "tools/checked_output.h"
#include "tools/svg_frame.h"
#include "tools/trace_options.h"

// Static: a Recording is too large for the stack.
static Recording Frame;
static Recording Chart;
static Recording Statistics;

constexpr int ChartHeight = 200, StatisticsHeight = 300;

// Every frame's signal level for --stats (NoLevel without one), and room to sort them.
static double Levels[MaxTraceFrames];
static double Sorted[MaxTraceFrames];

// Standard output and the files asked for (File null for one that is not).
static CheckedOutput Trace, Svg, Signal, Stats;

// One line naming the output that failed and why; the files this run
// opened are removed, so that nothing half-written is left behind.
static int FailOutput(int status)
{
    for (const CheckedOutput* out : {&Trace, &Svg, &Signal, &Stats}) {
        if (out->Error != 0) {
            std::fprintf(stderr, "qsb-trace: cannot write %s: %s\n", out->Name, std::strerror(out->Error));
            break;
        }
    }
    DiscardOutput(Svg);
    DiscardOutput(Signal);
    DiscardOutput(Stats);
    return status;
}

// Before anything is printed, so that a file that cannot be written leaves
// standard output empty.
static bool OpenOutputs(const TraceOptions& o)
{
    return (o.SvgPath == nullptr || OpenOutput(Svg, o.SvgPath)) &&
           (o.SignalPath == nullptr || OpenOutput(Signal, o.SignalPath)) &&
           (o.StatsPath == nullptr || OpenOutput(Stats, o.StatsPath));
}

static void SetUpScene(const TraceOptions& o)
{
    Scene = StartSceneState();
    Scene.Altitude = o.Altitude;
    Scene.Amplitude = o.Amplitude;
    Scene.WaveNumber = o.WaveNumber;
    Scene.PhaseStep = o.PhaseStep;
    Scene.PhaseOffset = o.PhaseOffset;
    Scene.ShowTangents = o.ShowTangents;
    Scene.ShowNormals = o.ShowNormals;
    StartViewer();
    Viewer.Receiver = o.Receiver;
    ShowReceiver(o.ReceiverShown != 0);
    SetIonosphere(o.Kind, o.Seed);
}

static bool WriteFrame(int frame)
{
    if (!Print(Trace, "frame %d\n", frame)) {
        return false;
    }
    char line[256];
    for (int i = 0; i < Frame.Count; ++i) {
        FormatDrawOp(Frame, Frame.Ops[i], line, sizeof line);
        if (!Print(Trace, "%s\n", line)) {
            return false;
        }
    }
    return true;
}

// One row a frame; the frame is the drift step, as every frame drifts here.
static bool WriteSignalRow(int frame)
{
    if (frame == 1 && !PutText(Signal, SignalCsvHeader)) {
        return false;
    }
    const ReceiverSignal& s = Viewer.Signal;
    char row[96];
    FormatSignalCsvRow(SignalSample{frame, s.Paths, s.FocusDb, s.SignalDb}, row, sizeof row);
    return PutText(Signal, row);
}

static bool TraceFrame(const TraceOptions& o, int frame)
{
    ClearRecording(Frame);
    DrawFrame(RecordingSurface(Frame), o.Width, o.Height);
    if (!WriteFrame(frame)) {
        return false;
    }
    if (Signal.File == nullptr && Stats.File == nullptr) {
        return true;
    }
    // The painter updates only a shown receiver; a hidden one listens here,
    // so that the trace stays exactly as without it.
    if (!Viewer.ReceiverShown) {
        UpdateReceiver(true);
    }
    Levels[frame - 1] = Viewer.Signal.Paths > 0 ? Viewer.Signal.SignalDb : NoLevel;
    return Signal.File == nullptr || WriteSignalRow(frame);
}

// Over all the frames traced.
static bool WriteStatistics(int frames)
{
    char text[1024];
    FormatFadingCsv(MeasureFading(Levels, frames, Sorted), text, sizeof text);
    return PutText(Stats, text) && CloseOutput(Stats);
}

// The picture of the last frame, with the chart of the traced frames' signal
// under it when there is one, and the statistics view under that; then
// every output closed.
static bool Finish(const TraceOptions& o)
{
    if (Svg.File != nullptr) {
        const Recording* chart = nullptr;
        const Recording* statistics = nullptr;
        if (Signal.File != nullptr) {
            ClearRecording(Chart);
            DrawSignalChart(RecordingSurface(Chart), o.Width, ChartHeight);
            chart = &Chart;
        }
        if (Stats.File != nullptr) {
            ClearRecording(Statistics);
            DrawFadingView(RecordingSurface(Statistics), o.Width, StatisticsHeight);
            statistics = &Statistics;
        }
        if (!WriteSvgFrame(Svg, Frame, o.Width, o.Height, chart, ChartHeight, statistics, StatisticsHeight) ||
            !CloseOutput(Svg)) {
            return false;
        }
    }
    return (Stats.File == nullptr || WriteStatistics(o.Frames)) && (Signal.File == nullptr || CloseOutput(Signal)) &&
           CloseOutput(Trace);
}

int main(int argc, char** argv)
{
    Trace = StandardOutput();
    TraceOptions options = DefaultTraceOptions();
    char error[200];
    switch (ParseTraceOptions(argc, argv, options, error, sizeof error)) {
    case TraceParse::Help: return PutText(Trace, TraceUsage) && CloseOutput(Trace) ? 0 : FailOutput(1);
    case TraceParse::Error: std::fprintf(stderr, "qsb-trace: %s\n", error); return 2;
    case TraceParse::Run: break;
    }
    if (!OpenOutputs(options)) {
        return FailOutput(2);
    }
    SetUpScene(options);

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    for (int frame = 1; frame <= options.Frames; ++frame) {
        if (!TraceFrame(options, frame)) {
            return FailOutput(1);
        }
    }
    return Finish(options) ? 0 : FailOutput(1);
}
