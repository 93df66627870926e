// qsb-trace: the drawing operations of consecutive frames as text, exactly as
// the painter issues them, and optionally the last frame as an SVG picture.
#include <cstdio>

#include "model/scene_state.h"
#include "render/frame_painter.h"
#include "render/recording_surface.h"
#include "tools/svg_frame.h"
#include "tools/trace_options.h"

static Recording Frame;

static int Fail(const char* problem, const char* detail)
{
    std::fprintf(stderr, "qsb-trace: %s%s\n", problem, detail);
    return 2;
}

int main(int argc, char** argv)
{
    TraceOptions options = DefaultTraceOptions();
    char error[200];
    switch (ParseTraceOptions(argc, argv, options, error, sizeof error)) {
    case TraceParse::Help: std::fputs(TraceUsage, stdout); return 0;
    case TraceParse::Error: return Fail(error, "");
    case TraceParse::Run: break;
    }

    // Opened before anything is printed, so a bad path leaves stdout empty.
    std::FILE* svg = nullptr;
    if (options.SvgPath != nullptr) {
        svg = std::fopen(options.SvgPath, "w");
        if (svg == nullptr) {
            return Fail("cannot write the SVG file ", options.SvgPath);
        }
    }

    Scene = StartSceneState();
    Scene.Altitude = options.Altitude;
    Scene.Amplitude = options.Amplitude;
    Scene.WaveNumber = options.WaveNumber;
    Scene.PhaseStep = options.PhaseStep;
    Scene.PhaseOffset = options.PhaseOffset;
    Scene.ShowTangents = options.ShowTangents;
    Scene.ShowNormals = options.ShowNormals;

    static char outputBuffer[1 << 16];
    std::setvbuf(stdout, outputBuffer, _IOFBF, sizeof outputBuffer);
    char line[256];
    for (int frame = 1; frame <= options.Frames; ++frame) {
        ClearRecording(Frame);
        DrawFrame(RecordingSurface(Frame), options.Width, options.Height);
        std::printf("frame %d\n", frame);
        for (int i = 0; i < Frame.Count; ++i) {
            FormatDrawOp(Frame, Frame.Ops[i], line, sizeof line);
            std::puts(line);
        }
    }

    if (svg != nullptr) {
        const bool written = WriteSvgFrame(svg, Frame);
        if (std::fclose(svg) != 0 || !written) {
            return Fail("could not finish the SVG file ", options.SvgPath);
        }
    }
    return std::fflush(stdout) == 0 ? 0 : 1;
}
