#include "model/vec2.h"

#include <cmath>
#include <cstdio>

Vec2 Vec2Add(Vec2 a, Vec2 b) { return Vec2{a.x + b.x, a.y + b.y}; }

Vec2 Vec2Sub(Vec2 a, Vec2 b) { return Vec2{a.x - b.x, a.y - b.y}; }

Vec2 Vec2Scale(Vec2 v, float s) { return Vec2{s * v.x, s * v.y}; }

// Division by zero is allowed to give infinities or NaN (IEEE 754).
Vec2 Vec2Div(Vec2 v, float s) { return Vec2{v.x / s, v.y / s}; }

float Vec2Dot(Vec2 a, Vec2 b)
{
    return static_cast<float>(static_cast<double>(a.x) * b.x + static_cast<double>(a.y) * b.y);
}

// |v| = sqrt(x^2 + y^2), squares and sum unrounded, the root rounded once.
static double ExactLength(Vec2 v) { return std::sqrt(static_cast<double>(v.x) * v.x + static_cast<double>(v.y) * v.y); }

float Vec2Length(Vec2 v) { return static_cast<float>(ExactLength(v)); }

// (0, 0) has no direction: the result is (NaN, NaN) and nothing is reported.
Vec2 Vec2Normalize(Vec2 v)
{
    const double length = ExactLength(v);
    return Vec2{static_cast<float>(v.x / length), static_cast<float>(v.y / length)};
}

void Vec2Print(Vec2 v) { std::printf("%7.4f  %7.4f\n", static_cast<double>(v.x), static_cast<double>(v.y)); }
