#include "model/intersection.h"

#include <cmath>

#include "model/layer.h"
#include "model/scene_state.h"

float RayLayerGap(double x)
{
    const double ray = static_cast<double>(Scene.RaySlope) * x;
    return static_cast<float>(ray - LayerHeight(x));
}

float RayLayerGapSlope(double x)
{
    const double kA = static_cast<double>(Scene.WaveNumber) * Scene.Amplitude;
    return static_cast<float>(Scene.RaySlope - kA * std::cos(LayerPhase(x)));
}

// Newton's method on g(x) = m x - (A sin u + H), u = k (x + t):
//
//     delta = (m x - (A sin u + H)) / (m - kA cos u),   x <- x - delta
//
// until |delta| < 1. No damping and no bracketing: a cycling search uses all
// steps and fails. The comparison is written so that a NaN step continues.
RayLayerSearch SearchRayLayer(float x0)
{
    const double m = Scene.RaySlope;
    const double A = Scene.Amplitude;
    const double H = Scene.Altitude;
    const float kA = static_cast<float>(static_cast<double>(Scene.WaveNumber) * Scene.Amplitude);

    double x = x0;
    for (int step = 1; step <= SolverStepLimit; ++step) {
        const float u = LayerPhase(x);  // from the unrounded x
        const double xf = static_cast<float>(x);
        const double s = std::sin(u);  // float overload: sinf
        const double c = std::cos(u);  // float overload: cosf
        const double delta = (m * xf - (A * s + H)) / (m - kA * c);
        x = xf - delta;
        if (std::fabs(delta) < 1.0) {
            return RayLayerSearch{x, step, true};
        }
    }
    return RayLayerSearch{x, SolverStepLimit, false};
}

double SolveRayLayer(float x0)
{
    const RayLayerSearch search = SearchRayLayer(x0);
    return search.Converged ? search.X : SolverFailure;
}

Vec2 FindLayerHit(float x0)
{
    const double x = SolveRayLayer(x0);
    if (x == SolverFailure) {
        Scene.LayerHit = NoHit;
    } else {
        Scene.LayerHit = Vec2{static_cast<float>(x), static_cast<float>(LayerHeight(x))};
    }
    return Scene.LayerHit;
}
