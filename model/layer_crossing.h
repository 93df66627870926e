// Where a ray from the transmitter first meets the layer, in double
// precision and without skipping a crossing: the receiver's physics, kept
// apart from the painter's single-precision search.
#pragma once

// The layer y = A sin(k (x + t)) + H at full precision.
struct LayerDouble {
    double Altitude;     // H
    double Amplitude;    // A
    double WaveNumber;   // k
    double PhaseOffset;  // t
};

// Walk steps allowed per ray. Over the sliders' ranges a ray needs a few,
// and about 50 where it just grazes the layer; a ray that uses them all is
// counted as a miss.
constexpr int CrossingStepLimit = 200;

// Smallest x > 0 where y = slope x meets the layer; false: the ray misses
// (slope not positive and finite, a layer not wholly above the ground, inputs
// that are not finite, or the step limit reached).
bool FirstLayerCrossing(const LayerDouble& layer, double slope, double& x);
