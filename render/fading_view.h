// The "Fading statistics" view: the receiver's levels over the last five
// minutes (Fading) on Rayleigh probability paper, where Rayleigh
// fading is the straight line drawn beside them, and a table of the
// statistics, each beside Rayleigh's. Lines and texts only.
#pragma once

#include "render/drawing_surface.h"

// Any client size. From FadingWideWidth on, the table stands beside the
// paper; narrower, under it, and the view needs more height.
void DrawFadingView(const DrawingSurface& surface, int width, int height);

// The narrowest client with the table beside the paper, and the least
// height on which nothing overlaps at a width; every text fits whole from
// FadingMinWidth on (in the chart's 11 px sans-serif).
constexpr int FadingWideWidth = 500, FadingMinWidth = 340;
int FadingViewMinHeight(int width);

// The paper's scales: the level relative to the median in dB across, and
// y = log10(-ln(1 - P)) up, labelled as the probability P of a lower level.
constexpr double PaperLowestDb = -30.0, PaperHighestDb = 15.0;
constexpr double PaperLowestP = 0.001, PaperHighestP = 0.999;

// KS distances up to this read as Rayleigh fading.
constexpr double RayleighKsLimit = 0.10;
