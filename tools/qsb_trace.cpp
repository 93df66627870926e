// qsb-trace: the drawing operations of consecutive frames as text, exactly as
// the painter issues them, and optionally the last frame as an SVG picture.
#include <cstdio>
#include <cstring>
#include <initializer_list>

#include "model/scene_state.h"
#include "render/frame_painter.h"
#include "render/recording_surface.h"
#include "tools/checked_output.h"
#include "tools/svg_frame.h"
#include "tools/trace_options.h"

// Static: a Recording is too large for the stack.
static Recording Frame;

// Standard output and the file asked for (File null if it is not).
static CheckedOutput Trace, Svg;

// One line naming the output that failed and why; the files this run
// opened are removed, so that nothing half-written is left behind.
static int FailOutput(int status)
{
    for (const CheckedOutput* out : {&Trace, &Svg}) {
        if (out->Error != 0) {
            std::fprintf(stderr, "qsb-trace: cannot write %s: %s\n", out->Name, std::strerror(out->Error));
            break;
        }
    }
    DiscardOutput(Svg);
    return status;
}

// Before anything is printed, so that a file that cannot be written leaves
// standard output empty.
static bool OpenOutputs(const TraceOptions& o) { return o.SvgPath == nullptr || OpenOutput(Svg, o.SvgPath); }

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

static bool TraceFrame(const TraceOptions& o, int frame)
{
    ClearRecording(Frame);
    DrawFrame(RecordingSurface(Frame), o.Width, o.Height);
    return WriteFrame(frame);
}

// The picture of the last frame, then every output closed.
static bool Finish(const TraceOptions& o)
{
    if (Svg.File != nullptr && (!WriteSvgFrame(Svg, Frame, o.Width, o.Height) || !CloseOutput(Svg))) {
        return false;
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
