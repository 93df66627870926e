// The ground map under the scene: a strip as wide as the scene whose pixel
// column p shows the signal at the world x the scene draws at p, the
// newest drift step on top and the last 30 seconds downwards, so that a
// fade is a streak the drift drags across the ground. Under the strip: the
// receiver's column marked, the dB legend and how time runs.
#pragma once

#include "render/drawing_surface.h"

// The marker's and the legend's band under the strip.
constexpr int MapFooterHeight = 34;

// Draws Patterns' map rings onto a client area of the given size: the
// strip, and under it the footer in one line.
void DrawGroundMap(const DrawingSurface& surface, int width, int height);

// The two parts on clients of their own, for a page that scales the strip
// with the scene but draws the footer's texts at a readable size: the strip
// alone, its rows filling the height; and the footer, whose receiver mark
// stands at the scene column scaled from SceneColumns to its width. The
// footer takes two or three lines where its one line would not fit.
constexpr int SceneColumns = 1000;
void DrawGroundMapStrip(const DrawingSurface& surface, int width, int height);
void DrawGroundMapFooter(const DrawingSurface& surface, int width, int height);

// The footer's height on a client this wide, and the narrowest client on
// which its texts stay whole and apart (in the chart's 11 px sans-serif).
int GroundMapFooterHeight(int width);
constexpr int GroundMapFooterMinWidth = 352;

// The map column (model/ground_map.h) a pixel column shows: the first whole
// x the scene draws at that column, or the receiver's own x where the
// receiver is shown; -1 where the scene draws no x of the map.
int MapColumnAtPixel(int pixelColumn);
