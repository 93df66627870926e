#include "model/reflection.h"

#include <cmath>

#include "model/layer.h"
#include "model/scene_state.h"

float ElevationSlope(float elevation)
{
    const double d = elevation * DegToRad;
    const float sine = static_cast<float>(std::sin(d));
    const float cosine = static_cast<float>(std::cos(d));
    return sine / cosine;
}

float DirectionAngle(Vec2 v)
{
    return static_cast<float>(std::atan2(static_cast<double>(v.y), static_cast<double>(v.x)) / DegToRad);
}

// R = (N - I) + (N + 180): the reversed incoming direction mirrored about the
// normal. Both folds test the unrounded R strictly, so 360 and 0 stay as
// they are, and a NaN passes through.
float ReflectedAngle(float incoming, float normalAngle)
{
    const double n = normalAngle;
    double r = (n - incoming) + (n + 180.0);
    if (r > 360.0) {
        r -= 360.0;
    }
    if (r < 0.0) {
        r += 360.0;
    }
    return static_cast<float>(r);
}

// G = hit.x - hit.y / tan(R). DegToRad is not exactly pi/180, so 180 and 360
// degrees give a tiny tangent and a huge G rather than a division by zero.
Vec2 GroundReturn(Vec2 hit, float reflected)
{
    const double a = reflected * DegToRad;
    const double tau = std::sin(a) / std::cos(a);
    return Vec2{static_cast<float>(hit.x - hit.y / tau), 0.0f};
}

RayReflection ReflectRay(Vec2 hit)
{
    RayReflection r;
    r.Incoming = DirectionAngle(hit);
    r.Normal = LayerNormal(hit.x);
    r.NormalAngle = DirectionAngle(r.Normal);
    r.Reflected = ReflectedAngle(r.Incoming, r.NormalAngle);
    r.Ground = GroundReturn(hit, r.Reflected);
    r.Hit = hit;
    return r;
}

// Stage by stage across the rays, so that the rays' chains of dependent
// arctangents and sines overlap; every value is the one ReflectRay gives.
void ReflectRays(const Vec2* hits, int count, RayReflection* reflections)
{
    for (int ray = 0; ray < count; ++ray) {
        reflections[ray].Hit = hits[ray];
        reflections[ray].Incoming = DirectionAngle(hits[ray]);
        reflections[ray].Normal = LayerNormal(hits[ray].x);
    }
    for (int ray = 0; ray < count; ++ray) {
        reflections[ray].NormalAngle = DirectionAngle(reflections[ray].Normal);
    }
    for (int ray = 0; ray < count; ++ray) {
        RayReflection& r = reflections[ray];
        r.Reflected = ReflectedAngle(r.Incoming, r.NormalAngle);
        r.Ground = GroundReturn(r.Hit, r.Reflected);
    }
}
