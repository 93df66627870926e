#include "win32/gdi_surface.h"

#include <cstring>

#include "win32/drawing_resources.h"

static HDC Dc(void* context) { return static_cast<HDC>(context); }

static void GdiFill(void* c, int left, int top, int right, int bottom)
{
    const RECT rect{left, top, right, bottom};
    FillRect(Dc(c), &rect, BackgroundBrush);
}

static void GdiSelectPen(void* c, PenId pen) { SelectObject(Dc(c), PenHandle(pen)); }

static void GdiMoveTo(void* c, int x, int y) { MoveToEx(Dc(c), x, y, nullptr); }

static void GdiLineTo(void* c, int x, int y) { LineTo(Dc(c), x, y); }

// The stock GUI font, on whatever lies beneath: stock objects need no
// deleting, so texts cost no GDI objects.
static void GdiText(void* c, PenId colour, int x, int y, const char* text)
{
    const Rgb rgb = StyleOf(colour).Colour;
    SelectObject(Dc(c), GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(Dc(c), TRANSPARENT);
    SetTextColor(Dc(c), RGB(rgb.R, rgb.G, rgb.B));
    TextOutA(Dc(c), x, y, text, static_cast<int>(std::strlen(text)));
}

DrawingSurface GdiSurface(HDC dc) { return DrawingSurface{dc, GdiFill, GdiSelectPen, GdiMoveTo, GdiLineTo, GdiText}; }
