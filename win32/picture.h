// The picture with every view shown: the scene on top and the views stacked
// under it, each as wide as the scene, drawn afresh through the GDI surface
// into a bitmap of its own.
#pragma once

#include <windows.h>

// The views' heights under the scene, in the order they stack: the ground
// map (its 300 rows and legend), the chart, the waterfall, the statistics.
constexpr int PictureChartHeight = 200;
constexpr int PictureWaterfallHeight = 358;
constexpr int PictureStatisticsHeight = 340;

// A 24-bit top-down bitmap selected into a memory DC: 3 bytes a pixel
// (blue, green, red), rows Stride bytes apart.
struct Picture {
    HDC Dc;
    HBITMAP Bitmap;
    HGDIOBJ OldBitmap;
    const unsigned char* Bits;
    int Width, Height, Stride;
};

// Draws the scene at sceneWidth x sceneHeight with every view shown under
// it. The drift is held still: Scene and Viewer end exactly as they were
// (no drift step, no chart sample). False if GDI fails; FreePicture either way.
bool DrawPicture(Picture& picture, int sceneWidth, int sceneHeight);
void FreePicture(Picture& picture);
