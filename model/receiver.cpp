#include "model/receiver.h"

#include <cmath>

#include "model/scene_state.h"

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
    FanRay ray{false, elevation, 0, 0, 0, 0};
    const double m = std::tan(elevation);
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
    const double slope = std::tan(higher.Elevation);
    for (int i = 1; i < intervals; ++i) {
        const double x = from + (to - from) * i / intervals;
        if (layer.Amplitude * std::sin(layer.WaveNumber * (x + layer.PhaseOffset)) + layer.Altitude > slope * x) {
            return false;
        }
    }
    return true;
}

// Neighbouring rays a and b that land on either side of R, with the layer
// swept between their hits, bound one path to it. Between them everything goes linearly with the landing point,
//     w = (R - G_a) / (G_b - G_a),  L = L_a + w (L_b - L_a)  (the hit likewise),
// and the tube carries the fan's power between their elevations over the
// ground between their landings:
//     I = (e_b - e_a) / |G_b - G_a|.
// A tube whose intensity or length overflows (only ever with extreme
// inputs) has no finite answer and is no path.
bool PathBetween(const LayerDouble& layer, const FanRay& a, const FanRay& b, double receiverX, ReceiverPath& path)
{
    if (!a.Lands || !b.Lands) {
        return false;
    }
    const double nearer = std::fmin(a.Ground, b.Ground), farther = std::fmax(a.Ground, b.Ground);
    if (!(nearer <= receiverX && receiverX < farther) || !SweptBetween(layer, a, b)) {
        return false;
    }
    const double w = (receiverX - a.Ground) / (b.Ground - a.Ground);
    path.HitX = a.HitX + w * (b.HitX - a.HitX);
    path.HitY = a.HitY + w * (b.HitY - a.HitY);
    path.Length = a.Length + w * (b.Length - a.Length);
    path.Intensity = (b.Elevation - a.Elevation) / (farther - nearer);
    return std::isfinite(path.Intensity) && std::isfinite(path.Length);
}

// 10 log10 of a power over a reference, in logarithms so that neither the
// ratio nor the square of an amplitude can overflow. Nothing reads below the
// floor: a perfect cancellation (log of 0) and an undefined sum (NaN) give it.
double LevelDb(double log10Power, double log10Reference)
{
    return std::fmax(SignalFloorDb, 10 * (log10Power - log10Reference));
}

}  // namespace

LayerDouble CurrentLayer() { return LayerDouble{Scene.Altitude, Scene.Amplitude, Scene.WaveNumber, Scene.PhaseOffset}; }

// phi = 2 pi L / lambda, from L mod lambda (exact in floating point), so the
// phase keeps its precision however many wavelengths the path is long.
void AddPath(SignalSum& sum, const ReceiverPath& path, double wavelength)
{
    const double phase = 2 * Pi * (std::fmod(path.Length, wavelength) / wavelength);
    const double amplitude = std::sqrt(path.Intensity);
    sum.Intensity += path.Intensity;
    sum.Re += amplitude * std::cos(phase);
    sum.Im += amplitude * std::sin(phase);
}

// (a + i b) g for the path's own phasor a + i b.
void AddPath(SignalSum& sum, const ReceiverPath& path, double wavelength, PathGain gain)
{
    const double phase = 2 * Pi * (std::fmod(path.Length, wavelength) / wavelength);
    const double amplitude = std::sqrt(path.Intensity);
    const double re = amplitude * std::cos(phase), im = amplitude * std::sin(phase);
    sum.Intensity += path.Intensity;
    sum.Re += re * gain.Re - im * gain.Im;
    sum.Im += re * gain.Im + im * gain.Re;
}

SignalLevels LevelsOverFlat(const SignalSum& sum, double flatIntensity)
{
    const double reference = std::log10(flatIntensity);
    return SignalLevels{LevelDb(std::log10(sum.Intensity), reference),
                        LevelDb(2 * std::log10(std::hypot(sum.Re, sum.Im)), reference)};
}

// Under a flat layer the ray at elevation e lands at G = 2 H cot e, so
// I = 1 / |dG/de| = sin^2 e / (2 H), which at G = R is 2 H / (R^2 + 4 H^2).
double FlatLayerIntensity(double altitude, double receiverX)
{
    return 2 * altitude / (receiverX * receiverX + 4 * altitude * altitude);
}

// The fan is traced ray by ray, keeping only the one before: each
// neighbouring pair is tested for a path as it is formed, so the work needs
// no array of rays, whatever the fan's size.
void ComputeReceiverSignal(const LayerDouble& layer, const ReceiverSettings& settings, ReceiverSignal& out)
{
    ComputeReceiverSignal(layer, settings, nullptr, 0.0, out);
}

void ComputeReceiverSignal(const LayerDouble& layer, const ReceiverSettings& settings, const RoughLayer* rough,
                           double seconds, ReceiverSignal& out)
{
    out.Paths = 0;
    out.DrawnPaths = 0;
    out.FocusDb = SignalFloorDb;
    out.SignalDb = SignalFloorDb;
    const double receiverX = settings.X;
    const double wavelength = settings.Wavelength;
    const double flat = FlatLayerIntensity(layer.Altitude, receiverX);
    if (!std::isfinite(receiverX) || !(wavelength > 0 && wavelength < HUGE_VAL) || !(flat > 0 && flat < HUGE_VAL)) {
        return;
    }
    int rays = settings.FanRays < MinFanRays ? MinFanRays : settings.FanRays;
    rays = rays > MaxFanRays ? MaxFanRays : rays;

    SignalSum sum{0, 0, 0};
    FanRay previous = TraceFanRay(layer, LowestElevation * RadiansPerDegree);
    for (int i = 1; i < rays; ++i) {
        const double degrees = LowestElevation + ElevationSpan * i / (rays - 1);
        const FanRay ray = TraceFanRay(layer, degrees * RadiansPerDegree);
        ReceiverPath path;
        if (PathBetween(layer, previous, ray, receiverX, path)) {
            if (rough == nullptr || rough->Kind == Ionosphere::Smooth) {
                AddPath(sum, path, wavelength);
            } else {
                AddPath(sum, path, wavelength, RoughGain(*rough, path.HitX + layer.PhaseOffset, seconds));
            }
            if (out.Paths < MaxDrawnPaths) {
                out.Path[out.Paths] = path;
            }
            ++out.Paths;
        }
        previous = ray;
    }
    out.DrawnPaths = out.Paths < MaxDrawnPaths ? out.Paths : MaxDrawnPaths;
    if (out.Paths > 0) {
        const SignalLevels levels = LevelsOverFlat(sum, flat);
        out.FocusDb = levels.FocusDb;
        out.SignalDb = levels.SignalDb;
    }
}
