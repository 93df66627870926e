// Anything a frame can be drawn on: the window through GDI, a recording for
// tests and tools, or nothing at all for benchmarks. Six operations suffice.
#pragma once

#include "render/pens.h"

struct DrawingSurface {
    void* Context;
    // Fills left <= x < right, top <= y < bottom with the background brush.
    void (*FillRect)(void* context, int left, int top, int right, int bottom);
    void (*SelectPen)(void* context, PenId pen);
    void (*MoveTo)(void* context, int x, int y);
    // Draws from the current position with the selected pen and moves there.
    void (*LineTo)(void* context, int x, int y);
    // One line of text, its top-left corner at (x, y), in the pen's colour;
    // the selected pen and the current position stay as they are.
    void (*Text)(void* context, PenId colour, int x, int y, const char* text);
    // A row of count cells, each cellWidth x cellHeight, side by side from
    // (left, top) to the right; cell i in the colour with index colours[i]
    // (render/level_colours.h). The map and the waterfall are drawn so.
    void (*Cells)(void* context, int left, int top, int cellWidth, int cellHeight, const unsigned char* colours,
                  int count);
};
