// qsb-trace: the drawing operations of consecutive frames as text, exactly as
// the painter issues them; optionally the receiver's signal, the ground map
// and the band per frame as CSV, the receiver's sound as WAV, its fading
// statistics as CSV, and the last frame as an SVG picture.
#include <cstdio>
#include <cstring>

#include "model/fading_csv.h"
#include "model/fading_statistics.h"
#include "model/fading_window.h"
#include "model/scene_state.h"
#include "model/signal_csv.h"
#include "model/sound_generator.h"
#include "model/viewer_state.h"
#include "qsb_version.h"
#include "render/fading_view.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/recording_surface.h"
#include "render/signal_chart.h"
#include "render/waterfall_view.h"
#include "tools/checked_output.h"
#include "tools/file_identity.h"
#include "tools/message_text.h"
#include "tools/svg_frame.h"
#include "tools/trace_options.h"
#include "tools/wav_file.h"

// Static: a Recording is too large for the stack.
static Recording Frame;
static Recording Chart;
static Recording MapView;
static Recording WaterfallView;
static Recording StatisticsView;

// Standard output.
static CheckedOutput Trace;

// Every file the tool writes besides standard output, one entry each: the
// same-file check, the opening before anything is printed, the messages and
// the removal after a failure go over this table alone.
struct TraceOutput {
    const char* Option;
    const char* TraceOptions::*Path;  // null: not asked for
    CheckedOutput Out;                // File null: not open
};
enum TraceOutputIndex { SvgOutput, SignalOutput, MapOutput, BandOutput, AudioOutput, StatsOutput, TraceOutputCount };
static TraceOutput Outputs[TraceOutputCount] = {
    {"--svg", &TraceOptions::SvgPath, {}},     {"--signal", &TraceOptions::SignalPath, {}},
    {"--map", &TraceOptions::MapPath, {}},     {"--band", &TraceOptions::BandPath, {}},
    {"--audio", &TraceOptions::AudioPath, {}}, {"--stats", &TraceOptions::StatsPath, {}},
};
static CheckedOutput& Svg = Outputs[SvgOutput].Out;
static CheckedOutput& Signal = Outputs[SignalOutput].Out;
static CheckedOutput& Map = Outputs[MapOutput].Out;
static CheckedOutput& Band = Outputs[BandOutput].Out;
static CheckedOutput& Audio = Outputs[AudioOutput].Out;
static CheckedOutput& Stats = Outputs[StatsOutput].Out;

// Every frame's signal level for --stats (NoSignalDb without one), and room to sort them.
static double Levels[MaxTraceFrames];
static double Sorted[MaxTraceFrames];
constexpr int StatisticsHeight = 300;

// The map and the waterfall at one pixel row per drift step.
constexpr int MapHeight = LevelRingRows + MapFooterHeight;
constexpr int WaterfallHeight = LevelRingRows + 58;

static SoundGenerator Sound;

// A path as a message shows it: on one line, whatever it holds.
struct ShownPath {
    char Text[4 * 1024 + 4];
    explicit ShownPath(const char* path) { EscapeForMessage(path, 1024, Text, sizeof Text); }
};

// One line naming the output that failed and why; the files this run
// opened are removed, so that nothing half-written is left behind.
static int FailOutput(int status)
{
    const CheckedOutput* failed = Trace.Error != 0 ? &Trace : nullptr;
    for (const TraceOutput& output : Outputs) {
        failed = failed == nullptr && output.Out.Error != 0 ? &output.Out : failed;
    }
    if (failed != nullptr) {
        std::fprintf(stderr, "qsb-trace: cannot write %s: %s\n", ShownPath(failed->Name).Text,
                     std::strerror(failed->Error));
    }
    for (TraceOutput& output : Outputs) {
        DiscardOutput(output.Out);
    }
    return status;
}

// Two outputs into one file would write over each other: refused, before
// any file is opened, so that an existing file stays as it was.
static bool OutputsApart(const TraceOptions& o)
{
    static FileIdentity identities[TraceOutputCount], standardOutput;
    IdentifyStandardOutput(standardOutput);
    for (int i = 0; i < TraceOutputCount; ++i) {
        const char* path = o.*Outputs[i].Path;
        if (path == nullptr) {
            continue;
        }
        IdentifyPath(path, identities[i]);
        if (SameFile(identities[i], standardOutput)) {
            std::fprintf(stderr, "qsb-trace: %s %s is the file standard output goes to\n", Outputs[i].Option,
                         ShownPath(path).Text);
            return false;
        }
        for (int j = 0; j < i; ++j) {
            if (o.*Outputs[j].Path != nullptr && SameFile(identities[j], identities[i])) {
                std::fprintf(stderr, "qsb-trace: %s %s and %s %s are the same file\n", Outputs[j].Option,
                             ShownPath(o.*Outputs[j].Path).Text, Outputs[i].Option, ShownPath(path).Text);
                return false;
            }
        }
    }
    return true;
}

// Before anything is printed, so that a file that cannot be written leaves
// standard output empty.
static bool OpenOutputs(const TraceOptions& o)
{
    for (TraceOutput& output : Outputs) {
        const char* path = o.*output.Path;
        if (path != nullptr && !OpenOutput(output.Out, path)) {
            return false;
        }
    }
    return true;
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
    // None of these changes the trace: the frame draws only the scene.
    ShowMap(o.MapPath != nullptr);
    ShowWaterfall(o.BandPath != nullptr);
    Viewer.SoundOn = o.AudioPath != nullptr;
    Sound = StartSoundGenerator(WavSampleRate);
    SetToneFrequency(Sound, o.ToneHz);
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
    FormatSignalCsvRow(SignalSample{frame, s.Paths, s.FocusDb, s.SignalDb, Viewer.Receiver.X}, row, sizeof row);
    return PutText(Signal, row);
}

// A level in dB with three decimals after a comma, or the comma alone.
static bool WriteLevel(CheckedOutput& out, int paths, double db)
{
    return paths > 0 ? Print(out, ",%.3f", db) : PutText(out, ",");
}

// The header names the x of every column, then one row a frame.
static bool WriteMapRow(int frame)
{
    if (frame == 1) {
        PutText(Map, "frame");
        for (int c = 0; c < GroundMapColumns; ++c) {
            Print(Map, ",%.0f", GroundMapX(c));
        }
        PutText(Map, "\n");
    }
    Print(Map, "%d", frame);
    for (int c = 0; c < GroundMapColumns; ++c) {
        WriteLevel(Map, Patterns.Map.Paths[c], Patterns.Map.SignalDb[c]);
    }
    return PutText(Map, "\n");
}

// Likewise with the wavelengths, to nine significant digits.
static bool WriteBandRow(int frame)
{
    const SignalBand& band = Patterns.Band;
    if (frame == 1) {
        PutText(Band, "frame");
        for (double wavelength : band.Wavelength) {
            Print(Band, ",%.9g", wavelength);
        }
        PutText(Band, "\n");
    }
    Print(Band, "%d", frame);
    for (double db : band.SignalDb) {
        WriteLevel(Band, band.Paths, db);
    }
    return PutText(Band, "\n");
}

// A frame's sound, the header before the first.
static bool WriteSoundFrame(const TraceOptions& o, int frame)
{
    const int count = SamplesPerFrame(WavSampleRate);
    if (frame == 1) {
        unsigned char header[WavHeaderBytes];
        FormatWavHeader(header, WavSampleRate, static_cast<long long>(count) * o.Frames);
        PutBytes(Audio, header, sizeof header);
    }
    static float samples[WavSampleRate];
    static unsigned char bytes[2 * WavSampleRate];
    SetSoundLevel(Sound, Viewer.Signal);
    FillSound(Sound, samples, count);
    FormatWavSamples(samples, count, bytes);
    return PutBytes(Audio, bytes, 2 * static_cast<std::size_t>(count));
}

static bool TraceFrame(const TraceOptions& o, int frame)
{
    ClearRecording(Frame);
    DrawFrame(RecordingSurface(Frame), o.Width, o.Height);
    if (!WriteFrame(frame)) {
        return false;
    }
    // The painter listens only while something is shown; for the signal or
    // the statistics alone the receiver listens here, so that the trace
    // stays exactly as without it.
    if ((Signal.File != nullptr || Stats.File != nullptr) && !Listening()) {
        UpdateReceiver(true);
    }
    Levels[frame - 1] = Viewer.Signal.Paths > 0 ? Viewer.Signal.SignalDb : NoSignalDb;
    return (Signal.File == nullptr || WriteSignalRow(frame)) && (Map.File == nullptr || WriteMapRow(frame)) &&
           (Band.File == nullptr || WriteBandRow(frame)) && (Audio.File == nullptr || WriteSoundFrame(o, frame));
}

// The picture of the last frame, with under it the ground map, the chart of
// the traced frames' signal, the waterfall and the statistics view, those
// that were asked for; the statistics of all frames; then every output closed.
static bool Finish(const TraceOptions& o)
{
    if (Svg.File != nullptr) {
        SvgPicture pictures[5] = {{&Frame, o.Height}};
        int count = 1;
        if (Map.File != nullptr) {
            ClearRecording(MapView);
            DrawGroundMap(RecordingSurface(MapView), o.Width, MapHeight);
            pictures[count++] = SvgPicture{&MapView, MapHeight};
        }
        if (Signal.File != nullptr) {
            ClearRecording(Chart);
            DrawSignalChart(RecordingSurface(Chart), o.Width, TraceChartHeight);
            pictures[count++] = SvgPicture{&Chart, TraceChartHeight};
        }
        if (Band.File != nullptr) {
            ClearRecording(WaterfallView);
            DrawWaterfall(RecordingSurface(WaterfallView), o.Width, WaterfallHeight);
            pictures[count++] = SvgPicture{&WaterfallView, WaterfallHeight};
        }
        if (Stats.File != nullptr) {
            ClearRecording(StatisticsView);
            DrawFadingView(RecordingSurface(StatisticsView), o.Width, StatisticsHeight);
            pictures[count++] = SvgPicture{&StatisticsView, StatisticsHeight};
        }
        if (!WriteSvgPictures(Svg, o.Width, pictures, count)) {
            return false;
        }
    }
    if (Stats.File != nullptr) {
        char text[1024];
        FormatFadingCsv(MeasureFading(Levels, o.Frames, Sorted), text, sizeof text);
        if (!PutText(Stats, text)) {
            return false;
        }
    }
    for (TraceOutput& output : Outputs) {
        if (output.Out.File != nullptr && !CloseOutput(output.Out)) {
            return false;
        }
    }
    return CloseOutput(Trace);
}

int main(int argc, char** argv)
{
    Trace = StandardOutput();
    TraceOptions options = DefaultTraceOptions();
    char error[200];
    switch (ParseTraceOptions(argc, argv, options, error, sizeof error)) {
    case TraceParse::Help: return PutText(Trace, TraceUsage) && CloseOutput(Trace) ? 0 : FailOutput(1);
    case TraceParse::Version:
        return Print(Trace, "qsb-trace %s\n", QsbVersion) && CloseOutput(Trace) ? 0 : FailOutput(1);
    case TraceParse::Error: std::fprintf(stderr, "qsb-trace: %s\n", error); return 2;
    case TraceParse::Run: break;
    }
    if (!OutputsApart(options) || !OpenOutputs(options)) {
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
