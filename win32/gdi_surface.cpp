#include "win32/gdi_surface.h"

#include <cstring>

#include "render/level_colours.h"
#include "win32/drawing_resources.h"

static HDC Dc(void* context) { return static_cast<HDC>(context); }

// Lines drawn one after another, each from where the last ended, go to GDI
// as one PolylineTo at the next operation of another kind: Wine fills a
// wide pen's line as a region, built and freed for each LineTo, where a
// polyline needs one (the chart and the statistics drawn in under half the
// time; the pixels are the same).
constexpr int PendingLineLimit = 256;
static HDC PendingDc;
static POINT PendingPoints[PendingLineLimit];
static int PendingCount;

static void FlushLines()
{
    if (PendingCount > 0) {
        PolylineTo(PendingDc, PendingPoints, static_cast<DWORD>(PendingCount));
        PendingCount = 0;
    }
}

static void GdiFill(void* c, int left, int top, int right, int bottom)
{
    FlushLines();
    const RECT rect{left, top, right, bottom};
    FillRect(Dc(c), &rect, BackgroundBrush);
}

static void GdiSelectPen(void* c, PenId pen)
{
    FlushLines();
    SelectObject(Dc(c), PenHandle(pen));
}

static void GdiMoveTo(void* c, int x, int y)
{
    FlushLines();
    MoveToEx(Dc(c), x, y, nullptr);
}

static void GdiLineTo(void* c, int x, int y)
{
    if (PendingCount == PendingLineLimit || (PendingCount > 0 && PendingDc != Dc(c))) {
        FlushLines();
    }
    PendingDc = Dc(c);
    PendingPoints[PendingCount++] = POINT{x, y};
}

// In the font and the background mode GdiSurface chose.
static void GdiText(void* c, PenId colour, int x, int y, const char* text)
{
    FlushLines();
    const Rgb rgb = StyleOf(colour).Colour;
    SetTextColor(Dc(c), RGB(rgb.R, rgb.G, rgb.B));
    TextOutA(Dc(c), x, y, text, static_cast<int>(std::strlen(text)));
}

// A row of cells is a one-row 8-bit bitmap whose colour table is the cells'
// colours, stretched by whole pixels: each index byte becomes one cell.
// Indices beyond the colours show as no signal, like the scale says.
struct CellBitmapInfo {
    BITMAPINFOHEADER Header;
    RGBQUAD Colours[256];
};

static CellBitmapInfo MakeCellBitmapInfo()
{
    CellBitmapInfo info{};
    info.Header = {sizeof info.Header, 0, 1, 1, 8, BI_RGB, 0, 0, 0, 256, 0};
    for (int i = 0; i < 256; ++i) {
        const Rgb c = CellColour(static_cast<unsigned char>(i));
        info.Colours[i] = RGBQUAD{c.B, c.G, c.R, 0};
    }
    return info;
}

// The bitmap's row is copied first: GDI reads rows padded to four bytes,
// which may lie beyond the caller's colours.
constexpr int CellRowChunk = 4096;

static void GdiCells(void* c, int left, int top, int cellWidth, int cellHeight, const unsigned char* colours, int count)
{
    static CellBitmapInfo info = MakeCellBitmapInfo();
    static unsigned char row[CellRowChunk];
    FlushLines();
    for (int first = 0; first < count; first += CellRowChunk) {
        const int cells = count - first < CellRowChunk ? count - first : CellRowChunk;
        std::memcpy(row, colours + first, cells);
        info.Header.biWidth = cells;
        StretchDIBits(Dc(c), left + first * cellWidth, top, cells * cellWidth, cellHeight, 0, 0, cells, 1, row,
                      reinterpret_cast<const BITMAPINFO*>(&info), DIB_RGB_COLORS, SRCCOPY);
    }
}

// The stock GUI font, on whatever lies beneath, chosen once for all the
// texts: under Wine each choice of a font asks X for its resources (two
// files opened), which a text each made 64 times a frame. Stock objects
// need no deleting, so texts cost no GDI objects.
DrawingSurface GdiSurface(HDC dc)
{
    FlushLines();
    SelectObject(dc, GetStockObject(DEFAULT_GUI_FONT));
    SetBkMode(dc, TRANSPARENT);
    return DrawingSurface{dc, GdiFill, GdiSelectPen, GdiMoveTo, GdiLineTo, GdiText, GdiCells};
}
