// One frame of the scene: background, drift step, ray fan with reflections,
// layer curve, whiskers. Reads and advances Scene; keeps nothing between
// frames but two tables of what never changes: the rays' slopes and the
// curve's columns.
#pragma once

#include "model/receiver.h"
#include "render/drawing_surface.h"

constexpr int RaysPerFrame = 15;
constexpr float FirstElevation = 55.0f;
constexpr float ElevationStep = 2.0f;
constexpr float FirstGuess = 378.0f;
constexpr int MarkerPeriod = 4;  // the counter value that marks a ray
constexpr int LayerCurvePoints = 944;
constexpr float LayerCurveStart = -15.0f;
constexpr float LayerCurveStep = 1.5f;
constexpr int WhiskerStations = 70;
constexpr float WhiskerSpacing = 20.0f;
constexpr double TangentWhiskerLength = 120.0;
constexpr double NormalWhiskerLength = 80.0;

// The transmitter at world (0, 0), the ground row and column of world x = 0.
constexpr int TransmitterColumn = 6;
constexpr int GroundRow = 490;

// Upper bounds of one frame's operations (fill, pens, moves, lines), and of
// the receiver's (a pen, a move and two lines a path, the mark's five).
constexpr int MaxFrameOperations = 1 + 33 + 101 + 1044 + 1 + 3 * MaxDrawnPaths + 5;

// Draws one frame onto the surface; the client rectangle is 0, 0, width, height.
// The drift stays put while Viewer pauses it; the receiver and its paths
// follow the scene while Viewer shows it, and its signal, the map and the
// band are worked out while anything needs them (Listening).
void DrawFrame(const DrawingSurface& surface, int clientWidth, int clientHeight);
