// The receiver in the scene: its mark on the ground and the paths that reach it.
#pragma once

#include "render/drawing_surface.h"

// Draws Viewer's receiver and the paths of its last signal, each from the
// transmitter up to where it meets the layer and down to the receiver.
void DrawReceiver(const DrawingSurface& surface);
