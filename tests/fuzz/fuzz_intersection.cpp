// The intersection search with any parameters, NaN and infinities included:
// never crashes, never more than 100 steps, failure always reads as NoHit,
// and a converged hit lies where the ray meets the layer, to within what a
// last Newton step shorter than one unit allows. Searching several rays
// together gives each ray exactly its own search.
#include <cmath>
#include <cstring>

#include "fuzz_input.h"
#include "model/intersection.h"
#include "model/layer.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    TakeLayer(in);
    Scene.RaySlope = in.Take<float>();
    const float x0 = in.Take<float>();

    const float slopes[3] = {Scene.RaySlope, in.Take<float>(), in.Take<float>()};
    RayLayerSearch together[3];
    SearchRayLayers(slopes, 3, x0, together);
    for (int ray = 2; ray >= 0; --ray) {  // ends with the fuzzed slope in Scene
        Scene.RaySlope = slopes[ray];
        const RayLayerSearch alone = SearchRayLayer(x0);
        FUZZ_CHECK(std::memcmp(&alone.X, &together[ray].X, sizeof alone.X) == 0);
        FUZZ_CHECK(alone.Steps == together[ray].Steps && alone.Converged == together[ray].Converged);
    }

    const RayLayerSearch search = SearchRayLayer(x0);
    FUZZ_CHECK(search.Steps >= 1 && search.Steps <= SolverStepLimit);
    const Vec2 hit = FindLayerHit(x0);
    FUZZ_CHECK(hit.x == Scene.LayerHit.x || (std::isnan(hit.x) && std::isnan(Scene.LayerHit.x)));
    if (!search.Converged || search.X == SolverFailure) {
        FUZZ_CHECK(hit.x == -999.0f && hit.y == -999.0f);
        return 0;
    }
    FUZZ_CHECK(std::isfinite(search.X));
    FUZZ_CHECK(hit.x == static_cast<float>(search.X));

    // Bound on |g| at the result: |g(x_prev)| < |g'(x_prev)| and g moves by
    // at most max|g'| over the last step (< 1), so |g(x)| < 2 (|m| + |kA|),
    // plus the float rounding of the terms involved. Where the phase is so
    // large that its float steps are coarse, the layer's height jumps by up
    // to 2A between neighbouring floats.
    const double m = Scene.RaySlope, A = Scene.Amplitude, H = Scene.Altitude;
    const double kA = std::fabs(static_cast<double>(Scene.WaveNumber) * A);
    const double x = search.X;
    // A k A beyond float's range makes every step 0: "converged" anywhere.
    const float kAf = static_cast<float>(static_cast<double>(Scene.WaveNumber) * A);
    if (!std::isfinite(m * x) || !std::isfinite(kAf) || !std::isfinite(LayerHeight(x))) {
        return 0;
    }
    const double gap = m * x - LayerHeight(x);
    const float u = LayerPhase(x);
    const double phaseStep = std::fabs(std::nextafter(u, INFINITY) - u);
    const double coarse = 2 * std::fabs(A) * std::fmin(1.0, 4 * phaseStep);
    const double rounding = 1e-5 * (std::fabs(m * x) + std::fabs(A) + std::fabs(H) + std::fabs(m) + kA) + coarse + 1e-3;
    FUZZ_CHECK(std::fabs(gap) <= 2 * (std::fabs(m) + kA) + rounding);
    return 0;
}
