// The painters' cost on GDI: a frame into a 1000 x 550 bitmap through the
// GDI surface, then each view beside the scene at its window's size with
// its rings full, timed one by one; prints the median and quartiles.
//   gdi_frame_cost [FRAMES]     (default 2000)
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <vector>

#include "model/level_rings.h"
#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "render/fading_view.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/signal_chart.h"
#include "render/waterfall_view.h"
#include "win32/drawing_resources.h"
#include "win32/gdi_surface.h"

namespace {

struct Painter {
    const char* Name;
    int Width, Height;
    void (*Draw)(const DrawingSurface& surface, int width, int height);
};
constexpr Painter Painters[] = {
    {"frame", 1000, 550, DrawFrame},         {"ground map", 988, LevelRingRows + MapFooterHeight, DrawGroundMap},
    {"waterfall", 1000, 358, DrawWaterfall}, {"statistics", 640, 340, DrawFadingView},
    {"chart", 1000, 178, DrawSignalChart},
};

// Each of count runs of work timed, in milliseconds, sorted.
template <typename Work> std::vector<double> SortedMs(long count, Work work)
{
    LARGE_INTEGER frequency, before, after;
    QueryPerformanceFrequency(&frequency);
    std::vector<double> ms(count);
    for (double& m : ms) {
        QueryPerformanceCounter(&before);
        work();
        QueryPerformanceCounter(&after);
        m = 1000.0 * static_cast<double>(after.QuadPart - before.QuadPart) / static_cast<double>(frequency.QuadPart);
    }
    std::sort(ms.begin(), ms.end());
    return ms;
}

// Into a compatible bitmap through GDI alone, or, as the views' windows
// draw, into a DIB section whose rows of cells the surface writes itself.
void Time(const Painter& painter, long frames, bool ownPixels)
{
    const HDC screen = GetDC(nullptr);
    const HDC dc = CreateCompatibleDC(screen);
    const HBITMAP bitmap = CreateCompatibleBitmap(screen, painter.Width, painter.Height);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    GdiPixels pixels{};
    if (ownPixels && !CreateGdiPixels(pixels, screen, painter.Width, painter.Height)) {
        std::fprintf(stderr, "gdi_frame_cost: no DIB section\n");
        std::exit(1);
    }
    const std::vector<double> ms = SortedMs(frames, [&] {
        painter.Draw(ownPixels ? GdiPixelSurface(pixels) : GdiSurface(dc), painter.Width, painter.Height);
        GdiFlush();
    });
    std::printf("GDI %s into a %d x %d %s, %ld times: median %.3f ms (quartiles %.3f, %.3f; max %.3f)\n", painter.Name,
                painter.Width, painter.Height, ownPixels ? "DIB section, cells written directly" : "bitmap", frames,
                ms[frames / 2], ms[frames / 4], ms[3 * frames / 4], ms[frames - 1]);
    FreeGdiPixels(pixels);
    SelectObject(dc, old);
    DeleteObject(bitmap);
    DeleteDC(dc);
    ReleaseDC(nullptr, screen);
}

}  // namespace

int main(int argc, char** argv)
{
    const long frames = argc > 1 ? std::strtol(argv[1], nullptr, 10) : 2000;
    if (frames < 10 || frames > 1000000) {
        std::fprintf(stderr, "usage: gdi_frame_cost [FRAMES, 10 to 1000000]\n");
        return 2;
    }
    CreateDrawingResources();
    Time(Painters[0], frames, false);
    // The views with their rings and the chart full: 300 drift steps heard.
    ShowReceiver(true), ShowMap(true), ShowWaterfall(true);
    for (int step = 0; step < LevelRingRows; ++step) {
        TakeDriftStep();
        UpdateReceiver(true);
    }
    const std::vector<double> receiver = SortedMs(frames / 10, [] { UpdateReceiver(false); });
    std::printf("receiver with the map and the band: median %.3f ms\n", receiver[receiver.size() / 2]);
    for (const Painter& painter : Painters) {
        if (painter.Draw != DrawFrame) {
            Time(painter, frames / 10, false);
            Time(painter, frames / 10, true);
        }
    }
    DeleteDrawingResources();
    return 0;
}
