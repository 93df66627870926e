// The ground map under the scene: a strip as wide as the scene whose pixel
// column p shows the signal at the world x the scene draws at p, the
// newest drift step on top and the last 30 seconds downwards, so that a
// fade is a streak the drift drags across the ground. Under the strip: the
// receiver's column marked, the dB legend and how time runs.
#pragma once

#include "render/drawing_surface.h"

// The marker's and the legend's band under the strip.
constexpr int MapFooterHeight = 34;

// Draws Patterns' map rings onto a client area of the given size.
void DrawGroundMap(const DrawingSurface& surface, int width, int height);

// The map column (model/ground_map.h) a pixel column shows: the first whole
// x the scene draws at that column, or the receiver's own x where the
// receiver is shown; -1 where the scene draws no x of the map.
int MapColumnAtPixel(int pixelColumn);
