// The drawing surface over a GDI device context.
#pragma once

#include <windows.h>

#include <cstdint>

#include "render/drawing_surface.h"

// Selects the stock GUI font and a transparent text background into dc:
// whatever else draws on dc between the surface's texts keeps them.
// Lines reach dc at the surface's next operation of another kind: every
// painter ends by selecting the black pen, which draws the last of them.
DrawingSurface GdiSurface(HDC dc);

// A memory DC whose bitmap is a top-down 32-bit DIB section. Its surface
// writes rows of cells straight into the pixels, where GDI would convert
// each row through StretchDIBits (under Wine most of the map's and the
// waterfall's cost); everything else goes through GDI as above.
struct GdiPixels {
    HDC Dc;
    std::uint32_t* Bits;  // Width x Height, the top row first, 0x00RRGGBB
    int Width, Height;
    bool GdiDrew;  // GDI has drawn since the pixels were last written: flush first
};

// Width x Height pixels selected into a new memory DC compatible with dc;
// false, with nothing left to free, if either cannot be made.
bool CreateGdiPixels(GdiPixels& pixels, HDC dc, int width, int height);
void FreeGdiPixels(GdiPixels& pixels);

// The surface over pixels.Dc, as GdiSurface, with the rows of cells written
// directly; pixels must outlive it.
DrawingSurface GdiPixelSurface(GdiPixels& pixels);
