// The painter's cost on GDI: frames drawn into a 1000 x 550 bitmap through
// the GDI surface, timed one by one; prints the median and quartiles.
//   gdi_frame_cost [FRAMES]     (default 2000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/scene_state.h"
#include "win32/drawing_resources.h"
#include "render/frame_painter.h"
#include "win32/gdi_surface.h"

int main(int argc, char** argv)
{
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    if (frames < 10 || frames > 1000000) {
        std::fprintf(stderr, "usage: gdi_frame_cost [FRAMES, 10 to 1000000]\n");
        return 2;
    }
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, 1000, 550);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    CreateDrawingResources();

    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms(frames);
    for (int f = 0; f < frames; ++f) {
        QueryPerformanceCounter(&before);
        DrawFrame(GdiSurface(dc), 1000, 550);
        GdiFlush();
        QueryPerformanceCounter(&after);
        ms[f] =
            1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    std::printf("GDI frame into a 1000 x 550 bitmap, %ld frames: median %.3f ms (quartiles %.3f, %.3f; max %.3f)\n",
                frames, ms[frames / 2], ms[frames / 4], ms[3 * frames / 4], ms[frames - 1]);

    SelectObject(dc, old);
    DeleteDrawingResources();
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
    return 0;
}
