// Signal levels as colours, for the ground map and the waterfall: a
// perceptually uniform scale (viridis, from its published anchor colours)
// from ScaleBottomDb to ScaleTopDb, one colour a dB, and a neutral grey of
// its own for "no signal". Cells name their colour by its index here.
#pragma once

#include "render/drawing_surface.h"
#include "render/signal_chart.h"

constexpr double ScaleBottomDb = ChartBottomDb, ScaleTopDb = ChartTopDb;
constexpr int ScaleColours = 61;  // -40, -39, ... +20 dB
constexpr unsigned char NoSignalColour = ScaleColours;
constexpr int CellColourCount = ScaleColours + 1;

// The colour of an index, 0 ... CellColourCount - 1; one beyond shows as no signal.
Rgb CellColour(unsigned char index);

// The nearest dB's colour; levels beyond the scale take its end colours.
unsigned char ScaleColourOf(double db);

// A level code of the rings (model/level_rings.h) as a colour index.
unsigned char CodeColour(unsigned char code);

// The legend: the scale as a bar with its dB labels, and the no-signal
// swatch, in a band LegendHeight high from (left, top), LegendWidth wide
// (its last text's width estimated as render/text_width.h does).
constexpr int LegendHeight = 24, LegendWidth = 344;
void DrawLevelLegend(const DrawingSurface& surface, int left, int top);
