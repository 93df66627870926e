// Command line of qsb-trace. Parsing is separate from the tool so that it
// can be tested and fuzzed on its own.
#pragma once

#include <cstdint>

#include "model/receiver.h"
#include "model/rough_layer.h"
#include "model/sound_generator.h"

constexpr int MaxTraceFrames = 100000;
// The highest frequency the dialog offers.
constexpr double MaxTraceFrequency = 1.20;
// The layer's highest point (altitude plus amplitude) is kept at or below
// this: a flat layer's lowest ray, at 27 degrees, lands at 3.9 times its
// height, which passes the last int column from 8.26e8 on.
constexpr float MaxDrawnAltitude = 8e8f;
// The signal chart's height under the picture; it is as wide as the picture.
constexpr int TraceChartHeight = 200;

struct TraceOptions {
    int Frames;
    float Altitude, Amplitude, WaveNumber, PhaseStep, PhaseOffset;
    unsigned char ShowTangents, ShowNormals;
    int Width, Height;            // the client rectangle the frame is filled over, and the SVG's size
    const char* SvgPath;          // null: no picture
    unsigned char ReceiverShown;  // the receiver is drawn in the frames
    ReceiverSettings Receiver;    // also where --signal listens when it is not shown
    const char* SignalPath;       // null: no CSV of the signal
    const char* MapPath;          // null: no CSV of the ground map
    const char* BandPath;         // null: no CSV of the band
    const char* AudioPath;        // null: no sound
    double ToneHz;                // the sound's beat note
    Ionosphere Kind;              // the ionosphere's setting
    std::uint64_t Seed;           // and its seed
    const char* StatsPath;        // null: no CSV of the fading statistics
};

enum class TraceParse { Run, Help, Version, Error };

// The program's start values, one frame, normals, a 1000 x 500 client area,
// the receiver hidden at its default place, a smooth ionosphere.
TraceOptions DefaultTraceOptions();

// On Error, `error` holds one line (without newline) naming the problem.
TraceParse ParseTraceOptions(int argc, const char* const* argv, TraceOptions& options, char* error, int errorSize);

extern const char TraceUsage[];
