// Reflection geometry and whisker ends with any inputs: no crash, angles in
// their ranges, the reflected direction is the mirror image of the incoming
// one about the normal (checked with vectors, d' = d - 2 (d . n) n), the
// ground return lies on the reflected line, and whiskers have their length.
// Reflecting several rays together gives each ray exactly what ReflectRay does.
#include <cmath>
#include <cstring>

#include "fuzz_input.h"
#include "model/layer.h"
#include "model/reflection.h"

static double AngleGap(double a, double b)  // degrees apart, modulo 360
{
    const double d = std::fmod(std::fabs(a - b), 360.0);
    return std::fmin(d, 360.0 - d);
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FuzzInput in{data, size};
    TakeLayer(in);
    const Vec2 hit{in.Take<float>(), in.Take<float>()};
    const Vec2 p{in.Take<float>(), in.Take<float>()};
    const Vec2 v{in.Take<float>(), in.Take<float>()};
    const float length = in.Take<float>();

    const RayReflection r = ReflectRay(hit);
    const Vec2 hits[2] = {hit, p};
    RayReflection together[2];
    ReflectRays(hits, 2, together);
    for (int ray = 0; ray < 2; ++ray) {
        const RayReflection alone = ReflectRay(hits[ray]);
        const RayReflection& t = together[ray];
        const float a[] = {alone.Hit.x,       alone.Hit.y,     alone.Incoming, alone.Normal.x, alone.Normal.y,
                           alone.NormalAngle, alone.Reflected, alone.Ground.x, alone.Ground.y};
        const float b[] = {t.Hit.x,       t.Hit.y,     t.Incoming, t.Normal.x, t.Normal.y,
                           t.NormalAngle, t.Reflected, t.Ground.x, t.Ground.y};
        FUZZ_CHECK(std::memcmp(a, b, sizeof a) == 0);
    }
    const bool finite = std::isfinite(hit.x) && std::isfinite(hit.y) && std::isfinite(r.Normal.x);
    if (finite) {
        FUZZ_CHECK(r.Incoming >= -180.0f && r.Incoming <= 180.0f);
        FUZZ_CHECK(r.NormalAngle >= 0.0f && r.NormalAngle <= 180.0f);
        FUZZ_CHECK(r.Reflected >= 0.0f && r.Reflected <= 360.0f);
        FUZZ_CHECK(r.Normal.y == 1.0f && r.Hit.x == hit.x && r.Hit.y == hit.y);

        // Mirror the incoming direction about the unit normal with vectors.
        const double rad = 0.017453293;
        const double nl = std::hypot(static_cast<double>(r.Normal.x), 1.0);
        const double nx = r.Normal.x / nl, ny = 1.0 / nl;
        const double dx = std::cos(r.Incoming * rad), dy = std::sin(r.Incoming * rad);
        const double dot = dx * nx + dy * ny;
        const double mx = dx - 2 * dot * nx, my = dy - 2 * dot * ny;
        const double mirrored = std::atan2(my, mx) / rad;
        FUZZ_CHECK(AngleGap(mirrored, r.Reflected) < 1e-3);

        // (G, 0) lies on the reflected line through the hit, unless the line
        // is (nearly) horizontal and G is huge or infinite.
        const double a = r.Reflected * rad;
        const double gx = r.Ground.x;
        if (std::isfinite(gx) && std::fabs(std::sin(a)) > 1e-3 && std::fabs(hit.y) < 1e6 && std::fabs(hit.x) < 1e6) {
            const double cross = (gx - hit.x) * std::sin(a) - (0.0 - hit.y) * std::cos(a);
            FUZZ_CHECK(std::fabs(cross) <= 1e-4 * (std::fabs(gx) + std::fabs(hit.x) + std::fabs(hit.y)) + 1e-3);
        }
    }

    const Vec2Double end = WhiskerEnd(p, v, length);
    const double vl = std::hypot(static_cast<double>(v.x), static_cast<double>(v.y));
    if (std::isfinite(vl) && vl > 1e-30 && std::isfinite(length) && std::fabs(length) < 1e30 && std::isfinite(p.x) &&
        std::isfinite(p.y) && std::fabs(p.x) < 1e30 && std::fabs(p.y) < 1e30) {
        const double ex = end.x - p.x, ey = end.y - p.y;
        const double scale = std::fabs(length) + std::fabs(p.x) + std::fabs(p.y);
        FUZZ_CHECK(std::fabs(std::hypot(ex, ey) - std::fabs(length)) <= 1e-9 * scale + 1e-12);
        FUZZ_CHECK(std::fabs(ex * v.y - ey * v.x) / vl <= 1e-9 * scale + 1e-12);  // parallel to v
    }
    return 0;
}
