// The drawing surface over a GDI device context.
#pragma once

#include <windows.h>

#include "render/drawing_surface.h"

// Selects the stock GUI font and a transparent text background into dc:
// whatever else draws on dc between the surface's texts keeps them.
DrawingSurface GdiSurface(HDC dc);
