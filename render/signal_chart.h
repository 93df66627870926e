// The receiver's strip chart: signal and focus in dB over the last 30
// seconds on a labelled grid, gaps where there was no signal, a mark where
// the receiver moved, and a line of the current values.
#pragma once

#include "render/drawing_surface.h"

// The levels the chart spans (focus peaks reach past +22 dB). A level
// beyond them is drawn at the edge it passed, with a chevron pointing out.
constexpr double ChartTopDb = 30.0, ChartBottomDb = -40.0;

// The smallest client area on which every text stays whole and apart, in
// an 11 px sans-serif: below 618 columns the paths' text takes a line of
// its own. Narrower or lower charts are still drawn, crowded.
constexpr int ChartMinWidth = 304, ChartMinHeight = 162;

// Draws Viewer's signal history onto a client area of the given size.
void DrawSignalChart(const DrawingSurface& surface, int width, int height);
