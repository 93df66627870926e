// The drawing surface over a GDI device context.
#pragma once

#include <windows.h>

#include "render/drawing_surface.h"

// Selects the stock GUI font and a transparent text background into dc:
// whatever else draws on dc between the surface's texts keeps them.
// Lines reach dc at the surface's next operation of another kind: every
// painter ends by selecting the black pen, which draws the last of them.
DrawingSurface GdiSurface(HDC dc);
