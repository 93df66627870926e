#include "model/layer.h"

#include <cmath>

#include "model/scene_state.h"

float LayerPhase(double x)
{
    return static_cast<float>((x + Scene.PhaseOffset) * Scene.WaveNumber);
}

// The layer's sine and cosine are the single-precision ones (float overloads).
double LayerHeight(double x)
{
    return static_cast<double>(Scene.Amplitude) * std::sin(LayerPhase(x)) + Scene.Altitude;
}

float LayerSlope(double x)
{
    const double kA = static_cast<double>(Scene.WaveNumber) * Scene.Amplitude;
    return static_cast<float>(std::cos(LayerPhase(x)) * kA);
}

Vec2 LayerTangent(double x) { return Vec2{1.0f, LayerSlope(x)}; }

Vec2 LayerNormal(double x) { return Vec2{-LayerSlope(x), 1.0f}; }
