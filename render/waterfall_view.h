// The waterfall: the signal at the receiver across the band (frequency
// across, the receiver's own in the middle), the newest drift step on top
// and the last 30 seconds downwards, in the map's colours. Selective
// fading shows as fades that cross the band slantwise or hit part of it.
#pragma once

#include "render/drawing_surface.h"

// Draws Patterns' band rings onto a client area of the given size.
void DrawWaterfall(const DrawingSurface& surface, int width, int height);

// The narrowest client on which every text stays whole and apart (the
// legend's the widest line; the frequency labels fit from there on), and
// the least height that leaves the plot room for its time labels, on a
// client this wide. Narrower than its one line needs, the caption goes
// under the legend, on two lines if it has to.
constexpr int WaterfallMinWidth = 352;
int WaterfallMinHeight(int width);
