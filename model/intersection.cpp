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
// One step; returns delta and leaves the next iterate in x. The search
// takes k A rounded to float.
static double NewtonStep(const LayerShape& layer, double m, double& x)
{
    const float kA = static_cast<float>(layer.SlopeScale);
    const float u = LayerPhase(x);  // from the unrounded x
    const double xf = static_cast<float>(x);
    const double c = std::cos(u);  // float overload: cosf
    const double delta = (m * xf - LayerHeightFromSine(layer, std::sin(u))) / (m - kA * c);
    x = xf - delta;
    return delta;
}

// Steps until |delta| < 1. No damping and no bracketing: a cycling search
// uses all steps and fails. The comparison is written so that a NaN step
// continues.
RayLayerSearch SearchRayLayer(float x0)
{
    const LayerShape layer = CurrentLayerShape();
    const double m = Scene.RaySlope;
    double x = x0;
    for (int step = 1; step <= SolverStepLimit; ++step) {
        if (std::fabs(NewtonStep(layer, m, x)) < 1.0) {
            return RayLayerSearch{x, step, true};
        }
    }
    return RayLayerSearch{x, SolverStepLimit, false};
}

// The same searches taken a step at a time across all the rays: each ray's
// steps are still its own, but the independent chains overlap instead of
// waiting on one another.
void SearchRayLayers(const float* slopes, int count, float x0, RayLayerSearch* searches)
{
    const LayerShape layer = CurrentLayerShape();
    for (int ray = 0; ray < count; ++ray) {
        searches[ray] = RayLayerSearch{x0, SolverStepLimit, false};
    }
    int searching = count;
    for (int step = 1; step <= SolverStepLimit && searching > 0; ++step) {
        for (int ray = 0; ray < count; ++ray) {
            RayLayerSearch& search = searches[ray];
            if (search.Steps < step) {
                continue;  // converged at an earlier step
            }
            if (std::fabs(NewtonStep(layer, slopes[ray], search.X)) < 1.0) {
                search.Steps = step;
                search.Converged = true;
                --searching;
            }
        }
    }
}

// The abscissa a search found, or SolverFailure.
static double FoundX(const RayLayerSearch& search) { return search.Converged ? search.X : SolverFailure; }

double SolveRayLayer(float x0) { return FoundX(SearchRayLayer(x0)); }

Vec2 RecordLayerHit(const RayLayerSearch& search)
{
    const double x = FoundX(search);
    if (x == SolverFailure) {
        Scene.LayerHit = NoHit;
    } else {
        Scene.LayerHit = Vec2{static_cast<float>(x), static_cast<float>(LayerHeight(x))};
    }
    return Scene.LayerHit;
}

Vec2 FindLayerHit(float x0) { return RecordLayerHit(SearchRayLayer(x0)); }
