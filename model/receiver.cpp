#include "model/receiver.h"

#include <cmath>

#include "model/exact_remainder.h"
#include "model/ground_map.h"
#include "model/scene_state.h"
#include "model/signal_band.h"

namespace {

// pi / 180 at full double precision. The painter's DegToRad (nine digits)
// is part of its own single-precision results and is not used here.
constexpr double Pi = 3.14159265358979323846;
constexpr double RadiansPerDegree = Pi / 180;

// The fan spans these elevations, in degrees, end rays included.
constexpr double LowestElevation = 1.0;
constexpr double ElevationSpan = 88.0;

// One ray of the fan, as far as the receiver needs it.
struct FanRay {
    bool Lands;
    double Elevation;   // e, radians
    double Slope;       // m = tan e
    double HitX, HitY;  // where it meets the layer
    double Ground;      // G, where it lands
    double Length;      // L, transmitter to layer to ground
};

// The ray y = m x, m = tan e, meets the layer at (x, y) and is mirrored
// about the layer's unit normal there:
//     d = (1, m) / |(1, m)|,  n = (-s, 1) / |(-s, 1)|,  s = k A cos(k (x + t)),
//     r = d - 2 (d . n) n.
// Only a reflected ray going down (r.y < 0) lands, at
//     G = x - y r.x / r.y,  after  L = |(x, y)| + |(G, 0) - (x, y)|.
FanRay TraceFanRay(const LayerDouble& layer, double elevation)
{
    const double m = std::tan(elevation);
    FanRay ray{false, elevation, m, 0, 0, 0, 0};
    double x;
    if (!FirstLayerCrossing(layer, m, x)) {
        return ray;
    }
    const double y = m * x;
    const double s = layer.WaveNumber * layer.Amplitude * std::cos(layer.WaveNumber * (x + layer.PhaseOffset));
    const double dLength = std::sqrt(1 + m * m);
    const double dx = 1 / dLength, dy = m / dLength;
    const double nLength = std::sqrt(1 + s * s);
    const double nx = -s / nLength, ny = 1 / nLength;
    const double dn = dx * nx + dy * ny;
    const double rx = dx - 2 * dn * nx, ry = dy - 2 * dn * ny;
    if (!(ry < 0)) {
        return ray;
    }
    const double ground = x - y * rx / ry;
    ray.Lands = true;
    ray.HitX = x;
    ray.HitY = y;
    ray.Ground = ground;
    ray.Length = x * dLength + std::sqrt((ground - x) * (ground - x) + y * y);
    return ray;
}

// Neighbours bound a tube only where the first crossing sweeps the layer
// between their hits. Where the higher ray clips a trough that the lower one
// passes under, the first crossing jumps to a farther trough, beyond a crest
// that rises above both rays: no ray between them meets the layer in between,
// so the pair is no path. Along a swept stretch the higher ray stays above
// the layer, which is tested every sixteenth of a ripple (a crest is half a
// ripple wide); absurd layers are sampled at most MaxSweepSamples times.
constexpr double MaxSweepSamples = 4096;

bool SweptBetween(const LayerDouble& layer, const FanRay& lower, const FanRay& higher)
{
    const double from = std::fmin(lower.HitX, higher.HitX), to = std::fmax(lower.HitX, higher.HitX);
    const double spacing = 2 * Pi / std::fabs(layer.WaveNumber) / 16;
    const int intervals = static_cast<int>(std::ceil(std::fmin((to - from) / spacing, MaxSweepSamples)));
    const double slope = higher.Slope;
    for (int i = 1; i < intervals; ++i) {
        const double x = from + (to - from) * i / intervals;
        if (layer.Amplitude * std::sin(layer.WaveNumber * (x + layer.PhaseOffset)) + layer.Altitude > slope * x) {
            return false;
        }
    }
    return true;
}

// Two neighbouring rays that both land bound a tube over the ground from
// the nearer landing to the farther one, if the layer is swept between
// their hits (worked out when a place first asks: it is the costly part).
// What every path in a swept tube shares is worked out then too, once
// rather than at every place that hears it.
struct Tube {
    const FanRay* A;
    const FanRay* B;
    double Nearer, Farther;
    int Swept;                                          // -1: not yet known
    double Intensity, Amplitude;                        // I and sqrt(I), once swept
    double GroundSpan, HitXSpan, HitYSpan, LengthSpan;  // b's less a's
};

Tube TubeBetween(const FanRay& a, const FanRay& b)
{
    return Tube{&a, &b, std::fmin(a.Ground, b.Ground), std::fmax(a.Ground, b.Ground), -1, 0, 0, 0, 0, 0, 0};
}

// The tube carries the fan's power between its rays' elevations over the
// ground between their landings:
//     I = (e_b - e_a) / |G_b - G_a|.
bool TubeSwept(const LayerDouble& layer, Tube& tube)
{
    if (tube.Swept < 0) {
        tube.Swept = SweptBetween(layer, *tube.A, *tube.B) ? 1 : 0;
        const FanRay& a = *tube.A;
        const FanRay& b = *tube.B;
        tube.Intensity = (b.Elevation - a.Elevation) / (tube.Farther - tube.Nearer);
        tube.Amplitude = std::sqrt(tube.Intensity);
        tube.GroundSpan = b.Ground - a.Ground;
        tube.HitXSpan = b.HitX - a.HitX;
        tube.HitYSpan = b.HitY - a.HitY;
        tube.LengthSpan = b.Length - a.Length;
    }
    return tube.Swept != 0;
}

// A place R in the tube [nearer, farther) hears one path. Between the rays
// everything goes linearly with the landing point,
//     w = (R - G_a) / (G_b - G_a),  L = L_a + w (L_b - L_a)  (the hit likewise).
// A tube whose intensity or length overflows (only ever with extreme
// inputs) has no finite answer and is no path.
bool PathInTube(const LayerDouble& layer, Tube& tube, double receiverX, ReceiverPath& path)
{
    if (!(tube.Nearer <= receiverX && receiverX < tube.Farther) || !TubeSwept(layer, tube)) {
        return false;
    }
    const FanRay& a = *tube.A;
    const double w = (receiverX - a.Ground) / tube.GroundSpan;
    path.HitX = a.HitX + w * tube.HitXSpan;
    path.HitY = a.HitY + w * tube.HitYSpan;
    path.Length = a.Length + w * tube.LengthSpan;
    path.Intensity = tube.Intensity;
    return std::isfinite(path.Intensity) && std::isfinite(path.Length);
}

// A rough layer at one moment, as its gain's table; null: the smooth mirror.
struct Roughness {
    const GainTable* Gains;
};

bool IsRough(const Roughness& rough) { return rough.Gains != nullptr; }

// The one rule by which the receiver and every map column hear a tube: its
// path to the place, if there is one, added to the place's sum; through a
// rough layer with the gain at the path's hit in the layer's own frame
// (x + t), left in gain for the band. Smooth skips the gain altogether.
bool HearTube(const LayerDouble& layer, const Roughness& rough, Tube& tube, double x, double wavelength, SignalSum& sum,
              ReceiverPath& path, PathGain& gain)
{
    if (!PathInTube(layer, tube, x, path)) {
        return false;
    }
    if (IsRough(rough)) {
        gain = TabulatedGain(*rough.Gains, path.HitX);
        AddPath(sum, path, wavelength, gain);
    } else {
        AddPath(sum, path, wavelength);
    }
    return true;
}

// The map's paths heard and not yet added, in the order heard. Their
// phases are worked out as the tubes are walked and their sines a batch
// at a time after: no phase waits on another's sine, so the divisions of
// many overlap, across tubes of a column or two as well as along wide ones.
// Each column still adds its paths in the fan's order.
constexpr int PendingCapacity = 64;

struct PendingPaths {
    int Count;
    int Column[PendingCapacity];
    double Phase[PendingCapacity], HitX[PendingCapacity];
    double Intensity[PendingCapacity], Amplitude[PendingCapacity];
};

void AddPendingPaths(PendingPaths& pending, const Roughness& rough, GroundMap& map)
{
    for (int i = 0; i < pending.Count; ++i) {
        SignalSum& sum = map.Sum[pending.Column[i]];
        if (IsRough(rough)) {
            const PathGain gain = TabulatedGain(*rough.Gains, pending.HitX[i]);
            AddPhasor(sum, pending.Intensity[i], pending.Amplitude[i], pending.Phase[i], gain);
        } else {
            AddPhasor(sum, pending.Intensity[i], pending.Amplitude[i], pending.Phase[i]);
        }
        ++map.Paths[pending.Column[i]];
    }
    pending.Count = 0;
}

// Every map column whose x lies in the tube hears it, by HearTube's rule
// with the tube's shared values taken once and the hit's height (which
// only the receiver's drawn paths need) left out. The bounds keep the walk
// within the map whatever the landings (huge, infinite or NaN).
void HearTubeAlongGround(const LayerDouble& layer, const Roughness& rough, Tube& tube, double wavelength,
                         PendingPaths& pending, GroundMap& map)
{
    const double last = GroundMapX(GroundMapColumns - 1);
    double x = std::ceil(std::fmax(tube.Nearer, GroundMapX(0)));
    if (!(x < tube.Farther && x <= last) || !TubeSwept(layer, tube) || !std::isfinite(tube.Intensity)) {
        return;
    }
    const FanRay& a = *tube.A;
    for (; x < tube.Farther && x <= last; ++x) {
        const double w = (x - a.Ground) / tube.GroundSpan;
        const double length = a.Length + w * tube.LengthSpan;
        if (!std::isfinite(length)) {
            continue;
        }
        if (pending.Count == PendingCapacity) {
            AddPendingPaths(pending, rough, map);
        }
        const int i = pending.Count++;
        pending.Column[i] = static_cast<int>(x) - 1;
        pending.Phase[i] = PathPhase(length, wavelength);
        pending.HitX[i] = a.HitX + w * tube.HitXSpan;
        pending.Intensity[i] = tube.Intensity;
        pending.Amplitude[i] = tube.Amplitude;
    }
}

// 10 log10 of a power over a reference, in logarithms so that neither the
// ratio nor the square of an amplitude can overflow. Nothing reads below the
// floor: a perfect cancellation (log of 0) and an undefined sum (NaN) give it.
double LevelDb(double log10Power, double log10Reference)
{
    return std::fmax(SignalFloorDb, 10 * (log10Power - log10Reference));
}

// The signal alone: the map needs no focus.
double CoherentDb(const SignalSum& sum, double log10Reference)
{
    return LevelDb(2 * std::log10(std::hypot(sum.Re, sum.Im)), log10Reference);
}

}  // namespace

LayerDouble CurrentLayer() { return LayerDouble{Scene.Altitude, Scene.Amplitude, Scene.WaveNumber, Scene.PhaseOffset}; }

// phi = 2 pi L / lambda, from L mod lambda (exact in floating point), so the
// phase keeps its precision however many wavelengths the path is long.
double PathPhase(double length, double wavelength)
{
    return 2 * Pi * (ExactRemainder(length, wavelength) / wavelength);
}

void AddPhasor(SignalSum& sum, double intensity, double amplitude, double phase)
{
    sum.Intensity += intensity;
    sum.Re += amplitude * std::cos(phase);
    sum.Im += amplitude * std::sin(phase);
}

// (a + i b) g for the path's own phasor a + i b.
void AddPhasor(SignalSum& sum, double intensity, double amplitude, double phase, PathGain gain)
{
    const double re = amplitude * std::cos(phase), im = amplitude * std::sin(phase);
    sum.Intensity += intensity;
    sum.Re += re * gain.Re - im * gain.Im;
    sum.Im += re * gain.Im + im * gain.Re;
}

void AddPath(SignalSum& sum, const ReceiverPath& path, double wavelength)
{
    AddPhasor(sum, path.Intensity, std::sqrt(path.Intensity), PathPhase(path.Length, wavelength));
}

void AddPath(SignalSum& sum, const ReceiverPath& path, double wavelength, PathGain gain)
{
    AddPhasor(sum, path.Intensity, std::sqrt(path.Intensity), PathPhase(path.Length, wavelength), gain);
}

SignalLevels LevelsOverFlat(const SignalSum& sum, double flatIntensity)
{
    const double reference = std::log10(flatIntensity);
    return SignalLevels{LevelDb(std::log10(sum.Intensity), reference), CoherentDb(sum, reference)};
}

// Under a flat layer the ray at elevation e lands at G = 2 H cot e, so
// I = 1 / |dG/de| = sin^2 e / (2 H), which at G = R is 2 H / (R^2 + 4 H^2).
double FlatLayerIntensity(double altitude, double receiverX)
{
    return 2 * altitude / (receiverX * receiverX + 4 * altitude * altitude);
}

namespace {

// A level needs a flat-layer intensity to compare with.
bool Comparable(double flatIntensity) { return flatIntensity > 0 && flatIntensity < HUGE_VAL; }

void StartListening(ReceiverSignal& out, GroundMap* map)
{
    out.Paths = 0;
    out.DrawnPaths = 0;
    out.FocusDb = SignalFloorDb;
    out.SignalDb = SignalFloorDb;
    if (map != nullptr) {
        for (int c = 0; c < GroundMapColumns; ++c) {
            map->Paths[c] = 0;
            map->SignalDb[c] = SignalFloorDb;
            map->Sum[c] = SignalSum{0, 0, 0};
        }
    }
}

// log10 of the flat layer's intensity at every column, for the altitude
// they were last worked out for (NaN: not comparable). The altitude moves
// only with its slider, and 1,500 logarithms cost a tenth of the map.
struct FlatReferences {
    bool Known;
    double Altitude;
    double Log10[GroundMapColumns];
};
FlatReferences FlatReference;

const FlatReferences& FlatReferencesAt(double altitude)
{
    if (!FlatReference.Known || !(FlatReference.Altitude == altitude)) {
        for (int c = 0; c < GroundMapColumns; ++c) {
            const double flat = FlatLayerIntensity(altitude, GroundMapX(c));
            FlatReference.Log10[c] = Comparable(flat) ? std::log10(flat) : NAN;
        }
        FlatReference.Known = true;
        FlatReference.Altitude = altitude;
    }
    return FlatReference;
}

void FinishGroundMap(GroundMap& map, double altitude)
{
    const FlatReferences& reference = FlatReferencesAt(altitude);
    for (int c = 0; c < GroundMapColumns; ++c) {
        if (map.Paths[c] == 0) {
            continue;
        }
        if (std::isnan(reference.Log10[c])) {
            map.Paths[c] = 0;
        } else {
            map.SignalDb[c] = CoherentDb(map.Sum[c], reference.Log10[c]);
        }
    }
}

}  // namespace

void ComputeReceiverSignal(const LayerDouble& layer, const ReceiverSettings& settings, ReceiverSignal& out)
{
    ListenToFan(layer, settings, nullptr, 0.0, out, nullptr, nullptr);
}

void ComputeReceiverSignal(const LayerDouble& layer, const ReceiverSettings& settings, const RoughLayer* rough,
                           double seconds, ReceiverSignal& out)
{
    ListenToFan(layer, settings, rough, seconds, out, nullptr, nullptr);
}

void ListenToFan(const LayerDouble& layer, const ReceiverSettings& settings, ReceiverSignal& receiver, SignalBand* band,
                 GroundMap* map)
{
    ListenToFan(layer, settings, nullptr, 0.0, receiver, band, map);
}

// The fan is traced ray by ray, keeping only the one before: each
// neighbouring pair is heard as it is formed, so the work needs no array of
// rays, whatever the fan's size.
void ListenToFan(const LayerDouble& layer, const ReceiverSettings& settings, const RoughLayer* roughLayer,
                 double seconds, ReceiverSignal& receiver, SignalBand* band, GroundMap* map)
{
    StartListening(receiver, map);
    const double receiverX = settings.X;
    const double wavelength = settings.Wavelength;
    const double flat = FlatLayerIntensity(layer.Altitude, receiverX);
    if (band != nullptr) {
        StartBand(*band, wavelength);
    }
    const bool receives = std::isfinite(receiverX) && Comparable(flat);
    if (!(wavelength > 0 && wavelength < HUGE_VAL) || (!receives && map == nullptr)) {
        return;
    }
    int rays = settings.FanRays < MinFanRays ? MinFanRays : settings.FanRays;
    rays = rays > MaxFanRays ? MaxFanRays : rays;

    // Every path heard this frame takes its gain from one table, so that
    // the map's column and the band's middle at the receiver hear exactly
    // the receiver's.
    GainTable gains;
    const bool scatters = roughLayer != nullptr && roughLayer->Kind != Ionosphere::Smooth;
    if (scatters) {
        TabulateRoughGain(*roughLayer, layer.PhaseOffset, seconds, gains);
    }
    const Roughness rough{scatters ? &gains : nullptr};

    SignalSum sum{0, 0, 0};
    PendingPaths pending;
    pending.Count = 0;
    FanRay previous = TraceFanRay(layer, LowestElevation * RadiansPerDegree);
    for (int i = 1; i < rays; ++i) {
        const double degrees = LowestElevation + ElevationSpan * i / (rays - 1);
        const FanRay ray = TraceFanRay(layer, degrees * RadiansPerDegree);
        if (previous.Lands && ray.Lands) {
            Tube tube = TubeBetween(previous, ray);
            ReceiverPath path;
            PathGain gain{1, 0};
            if (receives && HearTube(layer, rough, tube, receiverX, wavelength, sum, path, gain)) {
                if (receiver.Paths < MaxDrawnPaths) {
                    receiver.Path[receiver.Paths] = path;
                }
                ++receiver.Paths;
                if (band != nullptr) {
                    IsRough(rough) ? AddPathToBand(*band, path, gain) : AddPathToBand(*band, path);
                }
            }
            if (map != nullptr) {
                HearTubeAlongGround(layer, rough, tube, wavelength, pending, *map);
            }
        }
        previous = ray;
    }
    receiver.DrawnPaths = receiver.Paths < MaxDrawnPaths ? receiver.Paths : MaxDrawnPaths;
    if (receiver.Paths > 0) {
        const SignalLevels levels = LevelsOverFlat(sum, flat);
        receiver.FocusDb = levels.FocusDb;
        receiver.SignalDb = levels.SignalDb;
    }
    if (band != nullptr) {
        FinishBand(*band, receiver.Paths, flat);
    }
    if (map != nullptr) {
        AddPendingPaths(pending, rough, *map);
        FinishGroundMap(*map, layer.Altitude);
    }
}
