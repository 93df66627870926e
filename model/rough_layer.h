// The rough ionosphere: the diffuse scatter of small irregularities that the
// smooth layer leaves out, as a complex gain on each path's phasor. The
// geometry stays the smooth layer's (the picture, the paths, their
// intensities and so the focus curve); only the paths' phasors change.
#pragma once

#include <cstdint>

enum class Ionosphere : unsigned char { Smooth, Quiet, Moderate, Disturbed };
constexpr int IonosphereCount = 4;

// Doppler spread in Hz: 0, 0.1, 0.5 and 1.0 (mid-latitude quiet, moderate
// and disturbed channels).
double DopplerSpread(Ionosphere kind);

// "smooth", "quiet", "moderate", "disturbed".
const char* IonosphereName(Ionosphere kind);

// The next setting, smooth after disturbed.
Ionosphere NextIonosphere(Ionosphere kind);

constexpr std::uint64_t DefaultRoughSeed = 1;
constexpr int RoughComponents = 32;
// K, the power in the mirror's specular part over the scattered part. 0:
// every path fades as Rayleigh on its own, as measured on real HF paths; at
// K = 1 the fades at -10 dB came 9 to 33 % rarer than Rayleigh's for the
// same median crossings (scripts/fading-report, six seeds), at 0 within 9 %.
constexpr double SpecularToScattered = 0.0;
// Standard deviation of the irregularities' wave numbers, radians per world unit.
constexpr double IrregularityWaveNumber = 1.0 / 200.0;

struct RoughComponent {
    double WaveNumber;  // kappa_n, radians per world unit
    double Frequency;   // f_n, Hz
    double Phase;       // theta_n, radians
};

// The components are drawn once, when the setting or the seed changes.
struct RoughLayer {
    Ionosphere Kind;
    std::uint64_t Seed;
    RoughComponent Component[RoughComponents];
};

// The components for a setting and a seed: the same numbers in every build.
// Every rough setting of one seed has the same wave numbers and phases, and
// frequencies in proportion to its spread; Smooth has none (all zero).
RoughLayer MakeRoughLayer(Ionosphere kind, std::uint64_t seed);

struct PathGain {
    double Re, Im;
};

// The gain at u, a point in the drifting layer's own frame (x + t), at
// `seconds` of program time. Its mean power is 1.
PathGain RoughGain(const RoughLayer& rough, double u, double seconds);

// The gain over the layer at one moment, tabulated at the hits
// x_j = j GainTableSpacing (u_j = x_j + t) as a cubic between neighbouring
// nodes, so that a frame's thousands of paths (the ground map's) each cost
// a cubic instead of RoughComponents sines and cosines. It spans every hit
// of a path that lands within the map's reach under the sliders' layers.
constexpr double GainTableSpacing = 8;
constexpr int GainTableSegments = 192;  // x from 0 to 1536

// g ~ C[0] + s (C[1] + s (C[2] + s C[3])) at s = (x - x_j) / h in [0, 1).
struct GainCubic {
    PathGain C[4];
};

struct GainTable {
    const RoughLayer* Layer;
    double Offset;   // t: u = x + t
    double Seconds;  // tau
    GainCubic Segment[GainTableSegments];
};

// The table for a rough (not Smooth) layer drifted by `offset`, at
// `seconds` of program time. The receiver, the map and the band take every
// gain of a frame from one, so that they stay exactly equal where they meet.
void TabulateRoughGain(const RoughLayer& rough, double offset, double seconds, GainTable& table);

// The gain at a path's hit x: within GainErrorBound of RoughGain's real and
// imaginary parts over the table, RoughGain itself beyond it.
PathGain TabulatedGain(const GainTable& table, double hitX);

// The most the table's cubic can miss either part of RoughGain by.
double GainErrorBound(const RoughLayer& rough);
