// Where the ray y = RaySlope * x from the transmitter meets the layer
// y = A sin(k (x + t)) + H. Parameters come from Scene.
#pragma once

#include "model/vec2.h"

// The result of a failed search.
constexpr Vec2 NoHit = {-999.0f, -999.0f};

// What the solver returns when 100 Newton steps did not converge.
constexpr double SolverFailure = 1.0;
constexpr int SolverStepLimit = 100;

// g(x) = m x - (A sin(k (x + t)) + H): height of the ray above the layer.
float RayLayerGap(double x);
// g'(x) = m - k A cos(k (x + t)).
float RayLayerGapSlope(double x);

// One Newton search, with the number of steps it took; for the solver
// itself and for tests and benchmarks that need to see inside it.
struct RayLayerSearch {
    double X;        // last iterate, unrounded
    int Steps;       // steps taken, 1 ... SolverStepLimit
    bool Converged;  // the last step was shorter than 1 world unit
};
RayLayerSearch SearchRayLayer(float x0);

// SearchRayLayer for each of count ray slopes (in place of Scene.RaySlope),
// with the same results, ray for ray; the painter traces its fan this way.
void SearchRayLayers(const float* slopes, int count, float x0, RayLayerSearch* searches);

// The abscissa of the intersection, unrounded, or SolverFailure.
double SolveRayLayer(float x0);

// The intersection point, also stored into Scene.LayerHit; NoHit when the
// search fails (including a genuine root at exactly SolverFailure).
Vec2 FindLayerHit(float x0);

// The intersection a finished search found, or NoHit, stored as FindLayerHit
// stores it.
Vec2 RecordLayerHit(const RayLayerSearch& search);
