// The layer's local shape, y(x) = A sin(k (x + t)) + H, read from Scene.
// Inline: the painter evaluates these a thousand times a frame.
#pragma once

#include <cmath>

#include "model/scene_state.h"
#include "model/vec2.h"

// u = (x + t) k, rounded to float: the argument of every layer sine and cosine.
inline float LayerPhase(double x) { return static_cast<float>((x + Scene.PhaseOffset) * Scene.WaveNumber); }

// A sin u + H, unrounded; callers round it where they store it. The layer's
// sine and cosine are the single-precision ones (float overloads).
inline double LayerHeight(double x)
{
    return static_cast<double>(Scene.Amplitude) * std::sin(LayerPhase(x)) + Scene.Altitude;
}

// s = cos u * (k A), with k A unrounded; the result is rounded to float.
inline float LayerSlope(double x)
{
    const double kA = static_cast<double>(Scene.WaveNumber) * Scene.Amplitude;
    return static_cast<float>(std::cos(LayerPhase(x)) * kA);
}

inline Vec2 LayerTangent(double x) { return Vec2{1.0f, LayerSlope(x)}; }  // (1, s)
inline Vec2 LayerNormal(double x) { return Vec2{-LayerSlope(x), 1.0f}; }  // (-s, 1), upwards
