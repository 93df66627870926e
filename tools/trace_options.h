// Command line of qsb-trace. Parsing is separate from the tool so that it
// can be tested and fuzzed on its own.
#pragma once

constexpr int MaxTraceFrames = 100000;

struct TraceOptions {
    int Frames;
    float Altitude, Amplitude, WaveNumber, PhaseStep, PhaseOffset;
    unsigned char ShowTangents, ShowNormals;
    int Width, Height;    // the client rectangle the frame is filled over
    const char* SvgPath;  // null: no picture
};

enum class TraceParse { Run, Help, Error };

// The program's start values, one frame, normals, a 1000 x 500 client area.
TraceOptions DefaultTraceOptions();

// On Error, `error` holds one line (without newline) naming the problem.
TraceParse ParseTraceOptions(int argc, const char* const* argv, TraceOptions& options, char* error, int errorSize);

extern const char TraceUsage[];
