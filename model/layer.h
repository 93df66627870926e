// The layer's local shape, y(x) = A sin(k (x + t)) + H, read from Scene.
// Inline: the painter evaluates these a thousand times a frame.
#pragma once

#include <cmath>

#include "model/scene_state.h"
#include "model/vec2.h"

// u = (x + t) k, rounded to float: the argument of every layer sine and cosine.
inline float LayerPhase(double x) { return static_cast<float>((x + Scene.PhaseOffset) * Scene.WaveNumber); }

// A, H and k A (unrounded), read from Scene once. A loop that also calls
// through the drawing surface takes them from here: the compiler cannot tell
// that the surface leaves Scene alone, and would read and widen them on
// every pass.
struct LayerShape {
    double Amplitude;
    double Altitude;
    double SlopeScale;
};

inline LayerShape CurrentLayerShape()
{
    return LayerShape{Scene.Amplitude, Scene.Altitude, static_cast<double>(Scene.WaveNumber) * Scene.Amplitude};
}

// A sin u + H, unrounded; callers round it where they store it.
inline double LayerHeightFromSine(const LayerShape& layer, float sine)
{
    return layer.Amplitude * sine + layer.Altitude;
}

// s = cos u * (k A), rounded to float.
inline float LayerSlopeFromCosine(const LayerShape& layer, float cosine)
{
    return static_cast<float>(cosine * layer.SlopeScale);
}

// The layer's sine and cosine are the single-precision ones (float overloads).
inline double LayerHeight(double x) { return LayerHeightFromSine(CurrentLayerShape(), std::sin(LayerPhase(x))); }
inline float LayerSlope(double x) { return LayerSlopeFromCosine(CurrentLayerShape(), std::cos(LayerPhase(x))); }

inline Vec2 LayerTangent(double x) { return Vec2{1.0f, LayerSlope(x)}; }  // (1, s)
inline Vec2 LayerNormal(double x) { return Vec2{-LayerSlope(x), 1.0f}; }  // (-s, 1), upwards
