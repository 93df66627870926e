// The receiver: a point R on the ground where the signal a radio amateur
// hears is worked out from a dense fan of rays, in double precision, apart
// from the painter's fifteen single-precision rays. Each pair of
// neighbouring rays whose landings straddle R is one path to it; the paths'
// ray-tube intensities give the focusing and their lengths the interference,
// both in dB over a flat layer at the same height.
#pragma once

#include "model/layer_crossing.h"
#include "model/rough_layer.h"

// Scene's layer, widened to double.
LayerDouble CurrentLayer();

constexpr double DefaultReceiverX = 900.0;
constexpr double ReceiverMinX = 1.0, ReceiverMaxX = 1500.0;
constexpr double DefaultWavelength = 30.0;
constexpr int DefaultFanRays = 2001, MinFanRays = 2, MaxFanRays = 100000;
constexpr int MaxDrawnPaths = 32;
constexpr double SignalFloorDb = -100.0;

struct ReceiverSettings {
    double X;           // R, the receiver's distance from the transmitter
    double Wavelength;  // lambda, in world units
    int FanRays;        // rays from 1 to 89 degrees elevation, MinFanRays ... MaxFanRays
};
constexpr ReceiverSettings DefaultReceiverSettings() { return {DefaultReceiverX, DefaultWavelength, DefaultFanRays}; }

// One way from the transmitter to R.
struct ReceiverPath {
    double HitX, HitY;  // where it meets the layer
    double Length;      // transmitter to layer to R
    double Intensity;   // ray-tube intensity at R: radians of elevation per unit of ground
};

// The paths added up: sum I, sum sqrt(I) cos phi, sum sqrt(I) sin phi,
// with phi = 2 pi L / lambda.
struct SignalSum {
    double Intensity, Re, Im;
};
void AddPath(SignalSum& sum, const ReceiverPath& path, double wavelength);
// The same with the path's phasor times a rough layer's gain; the intensity
// (and so the focus) is added as it is.
void AddPath(SignalSum& sum, const ReceiverPath& path, double wavelength, PathGain gain);

// AddPath's parts, for callers that hear many paths of one intensity:
// phi for a path L long, and I with its phasor sqrt(I) e^(i phi) (times a
// gain) added, the amplitude sqrt(I) given.
double PathPhase(double length, double wavelength);
void AddPhasor(SignalSum& sum, double intensity, double amplitude, double phase);
void AddPhasor(SignalSum& sum, double intensity, double amplitude, double phase, PathGain gain);

// focus = 10 log10(sum I / I_flat), signal = 10 log10(|sum sqrt(I) e^(i phi)|^2 / I_flat),
// neither below SignalFloorDb (a perfect cancellation reads as the floor).
struct SignalLevels {
    double FocusDb, SignalDb;
};
SignalLevels LevelsOverFlat(const SignalSum& sum, double flatIntensity);

// The one path's intensity under a flat layer at height H: 2 H / (R^2 + 4 H^2).
double FlatLayerIntensity(double altitude, double receiverX);

struct ReceiverSignal {
    int Paths;       // every path found; 0 = no signal
    int DrawnPaths;  // min(Paths, MaxDrawnPaths), stored in Path
    ReceiverPath Path[MaxDrawnPaths];
    double FocusDb, SignalDb;  // only meaningful when Paths > 0
};

// The signal at settings.X. A fan size outside MinFanRays ... MaxFanRays is
// taken as the nearest end. No signal without a finite position, a finite
// positive wavelength and a flat-layer level to compare with (H > 0, and R
// and H small enough for R^2 + 4 H^2 to stay finite).
void ComputeReceiverSignal(const LayerDouble& layer, const ReceiverSettings& settings, ReceiverSignal& out);

// The same through a rough layer (null, or Smooth: exactly the above), each
// path's phasor times its gain at the path's hit in the layer's own frame,
// at `seconds` of program time.
void ComputeReceiverSignal(const LayerDouble& layer, const ReceiverSettings& settings, const RoughLayer* rough,
                           double seconds, ReceiverSignal& out);

struct SignalBand;
struct GroundMap;

// The same signal, and from the same fan the band at the receiver and the
// ground map, each only where given (null: not wanted). Every map column
// hears the fan by the rule the receiver does, so the map at the
// receiver's x is the receiver's signal, bit for bit.
void ListenToFan(const LayerDouble& layer, const ReceiverSettings& settings, ReceiverSignal& receiver, SignalBand* band,
                 GroundMap* map);

// The same through a rough layer, as ComputeReceiverSignal's: every path
// heard (the receiver's, each column's) with its own gain, the band with
// the receiver's paths' gains.
void ListenToFan(const LayerDouble& layer, const ReceiverSettings& settings, const RoughLayer* rough, double seconds,
                 ReceiverSignal& receiver, SignalBand* band, GroundMap* map);
