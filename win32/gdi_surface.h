// The drawing surface over a GDI device context.
#pragma once

#include <windows.h>

#include "render/drawing_surface.h"

DrawingSurface GdiSurface(HDC dc);
