// Anything a frame can be drawn on: the window through GDI, a recording for
// tests and tools, or nothing at all for benchmarks. Four operations suffice.
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
};
