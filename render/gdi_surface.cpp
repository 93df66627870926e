#include "render/gdi_surface.h"

#include "render/drawing_resources.h"

static HDC Dc(void* context) { return static_cast<HDC>(context); }

static void GdiFill(void* c, int left, int top, int right, int bottom)
{
    const RECT rect{left, top, right, bottom};
    FillRect(Dc(c), &rect, BackgroundBrush);
}

static void GdiSelectPen(void* c, PenId pen) { SelectObject(Dc(c), PenHandle(pen)); }

static void GdiMoveTo(void* c, int x, int y) { MoveToEx(Dc(c), x, y, nullptr); }

static void GdiLineTo(void* c, int x, int y) { LineTo(Dc(c), x, y); }

DrawingSurface GdiSurface(HDC dc) { return DrawingSurface{dc, GdiFill, GdiSelectPen, GdiMoveTo, GdiLineTo}; }
