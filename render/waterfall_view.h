// The waterfall: the signal at the receiver across the band (frequency
// across, the receiver's own in the middle), the newest drift step on top
// and the last 30 seconds downwards, in the map's colours. Selective
// fading shows as fades that cross the band slantwise or hit part of it.
#pragma once

#include "render/drawing_surface.h"

// Draws Patterns' band rings onto a client area of the given size.
void DrawWaterfall(const DrawingSurface& surface, int width, int height);
