// Mirroring a ray about the layer's normal at the point where it meets the
// layer, and following it back to the ground. Angles are in degrees.
#pragma once

#include <cmath>

#include "model/vec2.h"

struct RayReflection {
    Vec2 Hit;           // where the ray meets the layer
    float Incoming;     // direction from the transmitter to Hit, -180 ... 180
    Vec2 Normal;        // (-s, 1) at Hit.x, not normalised
    float NormalAngle;  // direction of Normal, 0 ... 180
    float Reflected;    // direction of the reflected ray, 0 ... 360
    Vec2 Ground;        // (G, 0): the reflected ray's line meets y = 0
};

// m = sin e / cos e, each taken in double and rounded to float first.
float ElevationSlope(float elevation);

// atan2(v.y, v.x) in degrees, rounded to float.
float DirectionAngle(Vec2 v);

// (N - I) + (N + 180), folded once into 0 ... 360 (both ends kept).
float ReflectedAngle(float incoming, float normalAngle);

// Where the line through hit with direction `reflected` meets y = 0.
Vec2 GroundReturn(Vec2 hit, float reflected);

RayReflection ReflectRay(Vec2 hit);

// ReflectRay for each of count hits, with the same results.
void ReflectRays(const Vec2* hits, int count, RayReflection* reflections);

// p + length * v / |v|, kept in double for the view mapping. Inline: the
// painter needs one or two per station, and the call costs as much as the sum.
inline Vec2Double WhiskerEnd(Vec2 p, Vec2 v, double length)
{
    const double l = std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y);
    return Vec2Double{(v.x / l) * length + p.x, (v.y / l) * length + p.y};
}
