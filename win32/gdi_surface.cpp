#include "win32/gdi_surface.h"

#include <algorithm>
#include <cstddef>
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
    const HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    if (GetCurrentObject(dc, OBJ_FONT) != font) {  // the views' DCs keep theirs from frame to frame
        SelectObject(dc, font);
    }
    SetBkMode(dc, TRANSPARENT);
    return DrawingSurface{dc, GdiFill, GdiSelectPen, GdiMoveTo, GdiLineTo, GdiText, GdiCells};
}

// Where the pixels are the surface's own, a row of cells is written there
// rather than handed to StretchDIBits: the same pixels, without Wine's
// conversion of each row (0.48 ms a frame for the map, as much for the
// waterfall, on GDI under Wine).
bool CreateGdiPixels(GdiPixels& pixels, HDC dc, int width, int height)
{
    pixels = GdiPixels{};
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC memory = CreateCompatibleDC(dc);
    const HBITMAP bitmap =
        memory != nullptr ? CreateDIBSection(memory, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (bitmap == nullptr) {
        if (memory != nullptr) {
            DeleteDC(memory);
        }
        return false;
    }
    SelectObject(memory, bitmap);  // the DC's own bitmap goes with the DC
    pixels = GdiPixels{memory, static_cast<std::uint32_t*>(bits), width, height, false};
    return true;
}

void FreeGdiPixels(GdiPixels& pixels)
{
    if (pixels.Dc != nullptr) {
        const HGDIOBJ bitmap = GetCurrentObject(pixels.Dc, OBJ_BITMAP);
        DeleteDC(pixels.Dc);
        DeleteObject(bitmap);
    }
    pixels = GdiPixels{};
}

static GdiPixels& Pixels(void* c) { return *static_cast<GdiPixels*>(c); }

static void PixelFill(void* c, int left, int top, int right, int bottom)
{
    Pixels(c).GdiDrew = true;
    GdiFill(Pixels(c).Dc, left, top, right, bottom);
}

static void PixelSelectPen(void* c, PenId pen) { GdiSelectPen(Pixels(c).Dc, pen); }

static void PixelMoveTo(void* c, int x, int y) { GdiMoveTo(Pixels(c).Dc, x, y); }

static void PixelLineTo(void* c, int x, int y)
{
    Pixels(c).GdiDrew = true;
    GdiLineTo(Pixels(c).Dc, x, y);
}

static void PixelText(void* c, PenId colour, int x, int y, const char* text)
{
    Pixels(c).GdiDrew = true;
    GdiText(Pixels(c).Dc, colour, x, y, text);
}

struct CellPixelTable {
    std::uint32_t Of[256];
};

static CellPixelTable MakeCellPixelTable()
{
    CellPixelTable table{};
    for (int i = 0; i < 256; ++i) {
        const Rgb c = CellColour(static_cast<unsigned char>(i));
        table.Of[i] = static_cast<std::uint32_t>(c.R) << 16 | static_cast<std::uint32_t>(c.G) << 8 | c.B;
    }
    return table;
}

// GDI may hold its drawing back: it is flushed before the pixels are
// written, once after any run of GDI's own operations. Cells beyond the
// bitmap are left out, as GDI clips them.
static void PixelCells(void* c, int left, int top, int cellWidth, int cellHeight, const unsigned char* colours,
                       int count)
{
    static const CellPixelTable table = MakeCellPixelTable();
    GdiPixels& p = Pixels(c);
    FlushLines();
    if (p.GdiDrew) {
        GdiFlush();
        p.GdiDrew = false;
    }
    const int firstRow = top > 0 ? top : 0;
    const int endRow = cellHeight < p.Height - top ? top + cellHeight : p.Height;
    if (cellWidth <= 0 || count <= 0 || firstRow >= endRow) {
        return;
    }
    // The columns the cells cover, within the bitmap.
    const long long rowEnd = left + static_cast<long long>(count) * cellWidth;
    const int spanLeft = left > 0 ? left : 0;
    const int spanRight = rowEnd < p.Width ? static_cast<int>(rowEnd) : p.Width;
    std::uint32_t* const first = p.Bits + static_cast<std::ptrdiff_t>(firstRow) * p.Width;
    const long long skipped = static_cast<long long>(spanLeft) - left;  // columns left of the bitmap
    if (cellWidth == 1) {                                               // the map: a cell a column
        const unsigned char* cell = colours + skipped;
        for (int x = spanLeft; x < spanRight; ++x) {
            first[x] = table.Of[*cell++];
        }
    } else {
        for (long long i = skipped / cellWidth, x = spanLeft; x < spanRight; ++i) {
            const long long end = left + (i + 1) * cellWidth < spanRight ? left + (i + 1) * cellWidth : spanRight;
            std::fill(first + x, first + end, table.Of[colours[i]]);
            x = end;
        }
    }
    for (int y = firstRow + 1; y < endRow && spanLeft < spanRight; ++y) {
        std::memcpy(p.Bits + static_cast<std::ptrdiff_t>(y) * p.Width + spanLeft, first + spanLeft,
                    sizeof *first * static_cast<std::size_t>(spanRight - spanLeft));
    }
}

DrawingSurface GdiPixelSurface(GdiPixels& pixels)
{
    GdiSurface(pixels.Dc);
    pixels.GdiDrew = true;
    return DrawingSurface{&pixels, PixelFill, PixelSelectPen, PixelMoveTo, PixelLineTo, PixelText, PixelCells};
}
