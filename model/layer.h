// The layer's local shape, y(x) = A sin(k (x + t)) + H, read from Scene.
#pragma once

#include "model/vec2.h"

// u = (x + t) k, rounded to float: the argument of every layer sine and cosine.
float LayerPhase(double x);

// A sin u + H, unrounded; callers round it where they store it.
double LayerHeight(double x);

// s = cos u * (k A), with k A unrounded; the result is rounded to float.
float LayerSlope(double x);

Vec2 LayerTangent(double x);  // (1, s)
Vec2 LayerNormal(double x);   // (-s, 1), upwards, not normalised
