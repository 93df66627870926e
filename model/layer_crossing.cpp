#include "model/layer_crossing.h"

#include <cmath>

namespace {

// Steps shorter than this end the walk: the crossing is then closer than
// the step (or, where x is so large that its spacing of doubles is coarser,
// than a few of those spacings).
constexpr double StepTolerance = 1e-9;
constexpr double RelativeStepTolerance = 1e-14;

// Bound on m + |k A|. Between the bounds on the crossing |g| <= 2 |A|, so
// g'^2 + 2 M |g| <= (m + |k A|)^2 + 4 (k A)^2 stays finite: an infinity
// there would make a step of 0 and end the walk short of the crossing.
constexpr double SlopeLimit = 1e150;

// The ray's height above the layer and its rate of change:
//     g(x)  = m x - A sin u - H
//     g'(x) = m - k A cos u,      u = k (x + t)
struct Gap {
    double Value;
    double Slope;
    double Sine;  // sin u, for the curvature g'' = A k^2 sin u
};

Gap GapAt(const LayerDouble& layer, double slope, double x)
{
    const double u = layer.WaveNumber * (x + layer.PhaseOffset);
    const double sine = std::sin(u);
    return Gap{slope * x - layer.Amplitude * sine - layer.Altitude,
               slope - layer.WaveNumber * layer.Amplitude * std::cos(u), sine};
}

// How far a ray below the layer (g < 0) certainly goes before meeting it,
// given a bound C on |g''| over that distance:
//     g(a + s) <= g(a) + g'(a) s + C s^2 / 2
// stays negative for s short of the parabola's positive root
//     s* = (-g' + sqrt(g'^2 + 2 C |g|)) / C = 2 |g| / (g' + sqrt(g'^2 + 2 C |g|)).
// The second form has no cancellation where g' > 0 and holds for C = 0
// too (|g| / g'). Near a simple crossing s* is Newton's step to second
// order, so the walk closes in quadratically.
double ClearDistance(const Gap& g, double curvature)
{
    const double root = std::sqrt(g.Slope * g.Slope - 2 * curvature * g.Value);
    if (g.Slope > 0) {
        return -2 * g.Value / (g.Slope + root);
    }
    return (root - g.Slope) / curvature;
}

// |g''| <= M = |A| k^2 everywhere, and within s of the point, since sine
// moves no faster than its argument,
//     |g''| <= M (|sin u| + |k| s).
// Where the ray runs along the layer near its steepest point (m close to
// |k A|, sin u near 0) M alone is far too pessimistic and the walk would
// crawl. So: S = the clear distance with the curvature at the point alone,
// then the clear distance with the bound that holds over all of S. That is
// at most S, so its bound holds over the whole step.
double SafeStep(const Gap& g, double k, double M)
{
    const double reach = ClearDistance(g, M * std::fabs(g.Sine));
    // With no curvature at the point and g' <= 0 the reach is infinite or
    // NaN; fmin takes M for either.
    return ClearDistance(g, std::fmin(M, M * (std::fabs(g.Sine) + std::fabs(k) * reach)));
}

}  // namespace

// The layer lies between H - |A| and H + |A|, so the first crossing lies in
//     [(H - |A|) / m, (H + |A|) / m],
// and g <= 0 at the left end. From there the walk takes safe steps: every
// point it reaches is short of the first crossing, so it cannot step over
// one, however narrow the crest the ray clips.
bool FirstLayerCrossing(const LayerDouble& layer, double slope, double& x)
{
    const double H = layer.Altitude;
    const double A = std::fabs(layer.Amplitude);
    const double kA = std::fabs(layer.WaveNumber) * A;  // the layer's steepest slope
    const double M = kA * std::fabs(layer.WaveNumber);  // |A| k^2
    // The transmitter stands on the ground, so a layer reaching down to it
    // has no first crossing for the rays to find.
    if (!(slope > 0) || !(H > A) || !(slope + kA < SlopeLimit) || !(M < HUGE_VAL) ||
        !std::isfinite(layer.PhaseOffset)) {
        return false;
    }
    const double low = (H - A) / slope;
    const double high = (H + A) / slope;
    if (!(high < HUGE_VAL)) {
        return false;
    }
    double a = low;
    for (int step = 0; step < CrossingStepLimit; ++step) {
        const Gap g = GapAt(layer, slope, a);
        if (g.Value >= 0) {  // met, to within rounding: the walk never passes a crossing
            x = a;
            return a > 0;
        }
        const double s = SafeStep(g, layer.WaveNumber, M);
        if (!(s < HUGE_VAL)) {  // NaN: the layer's sine of an overflowing phase
            return false;
        }
        // At high, g >= 0: stopping there is safe should rounding carry a past it.
        a = std::fmin(a + s, high);
        if (s <= StepTolerance || s <= RelativeStepTolerance * a) {
            x = a;
            return a > 0;
        }
    }
    return false;
}
