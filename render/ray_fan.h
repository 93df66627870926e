// The fan of rays from the transmitter: traced to the layer, mirrored about
// its normal, followed back to the ground, and drawn.
#pragma once

#include "render/drawing_surface.h"

// Draws every ray that meets the layer; leaves the last ray's slope and hit
// in Scene, as tracing the rays one by one would.
void DrawRayFan(const DrawingSurface& surface);
