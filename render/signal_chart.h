// The receiver's strip chart: signal and focus in dB over the last 30
// seconds on a labelled grid, gaps where there was no signal, and a line of
// the current values.
#pragma once

#include "render/drawing_surface.h"

// The levels the chart spans; values beyond them are drawn at its edge.
constexpr double ChartTopDb = 20.0, ChartBottomDb = -40.0;

// Draws Viewer's signal history onto a client area of the given size.
void DrawSignalChart(const DrawingSurface& surface, int width, int height);
