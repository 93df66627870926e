// The one record of layer parameters and per-frame values, shared by the
// painter (reads, advances the drift), the dialog (writes the sliders'
// values) and the main window (writes the whisker switches).
#pragma once

#include "model/vec2.h"

// Degrees to radians. Radians go back to degrees by dividing by this same
// constant, never by multiplying with its reciprocal.
constexpr double DegToRad = 0.017453293;

struct SceneState {
    float Altitude;     // H, mean height of the layer
    float Amplitude;    // A, ripple height above and below H
    float Frequency;    // f as first shown to the user; only the start label uses it
    float WaveNumber;   // k, ripple phase in radians per world unit
    float PhaseStep;    // drift added to PhaseOffset at the start of every frame
    float PhaseOffset;  // t, accumulated drift; never wraps
    float RaySlope;     // m, slope of the ray being traced
    Vec2 LayerHit;      // last intersection found, or NoHit
    unsigned char ShowTangents;
    unsigned char ShowNormals;
};

// k = f * DegToRad, rounded to float.
constexpr float WaveNumberFromFrequency(float frequency) { return static_cast<float>(DegToRad * frequency); }

// The values every start of the program begins from.
constexpr SceneState StartSceneState()
{
    return SceneState{395.7f, 11.3f, 0.52f, WaveNumberFromFrequency(0.52f), 7.5f, 45.0f, 0.0f, Vec2{0.0f, 0.0f}, 0, 1};
}

// Initialised statically, before the entry point runs.
extern SceneState Scene;
