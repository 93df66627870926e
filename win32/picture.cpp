#include "win32/picture.h"

#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "model/level_rings.h"
#include "render/fading_view.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/signal_chart.h"
#include "render/waterfall_view.h"
#include "win32/gdi_surface.h"

namespace {

// The views in the order they stack, the scene first. A view more is an
// entry more.
struct PictureView {
    bool (*Shown)();
    int Height;  // 0: the scene's own height
    void (*Draw)(const DrawingSurface& surface, int width, int height);
};

bool Always() { return true; }
bool WithReceiver() { return Viewer.ReceiverShown != 0; }
bool WithMap() { return Viewer.MapShown != 0; }
bool WithWaterfall() { return Viewer.WaterfallShown != 0; }
bool WithStatistics() { return Viewer.StatisticsShown != 0; }

// The painter takes a drift step, and the receiver a chart sample, on every
// frame it draws unless the viewer pauses the drift: paused for this frame
// alone, so that the other views show the viewer as it is.
void DrawSceneHeld(const DrawingSurface& surface, int width, int height)
{
    const unsigned char paused = Viewer.Paused, stepPending = Viewer.StepPending;
    Viewer.Paused = 1;
    Viewer.StepPending = 0;
    DrawFrame(surface, width, height);
    Viewer.Paused = paused;
    Viewer.StepPending = stepPending;
}

constexpr PictureView PictureViews[] = {
    {Always, 0, DrawSceneHeld},
    {WithMap, LevelRingRows + MapFooterHeight, DrawGroundMap},  // right under the scene, column for column
    {WithReceiver, PictureChartHeight, DrawSignalChart},
    {WithWaterfall, PictureWaterfallHeight, DrawWaterfall},
    {WithStatistics, PictureStatisticsHeight, DrawFadingView},
};
constexpr int PictureViewCount = sizeof PictureViews / sizeof PictureViews[0];

int ViewHeight(const PictureView& view, int sceneHeight) { return view.Height != 0 ? view.Height : sceneHeight; }

// Each view in its own band: the viewport moves its origin there and the
// clip keeps its strokes from reaching into its neighbours.
void DrawViews(HDC dc, const bool* shown, int width, int sceneHeight)
{
    int top = 0;
    for (int i = 0; i < PictureViewCount; ++i) {
        if (!shown[i]) {
            continue;
        }
        const int height = ViewHeight(PictureViews[i], sceneHeight);
        const HRGN band = CreateRectRgn(0, top, width, top + height);
        SelectClipRgn(dc, band);  // the DC keeps a copy
        DeleteObject(band);
        SetViewportOrgEx(dc, 0, top, nullptr);
        PictureViews[i].Draw(GdiSurface(dc), width, height);
        top += height;
    }
    SetViewportOrgEx(dc, 0, 0, nullptr);
    SelectClipRgn(dc, nullptr);
}

}  // namespace

bool DrawPicture(Picture& picture, int sceneWidth, int sceneHeight)
{
    picture = Picture{};
    bool shown[PictureViewCount];
    int height = 0;
    for (int i = 0; i < PictureViewCount; ++i) {
        shown[i] = PictureViews[i].Shown();
        height += shown[i] ? ViewHeight(PictureViews[i], sceneHeight) : 0;
    }
    if (sceneWidth <= 0 || sceneHeight <= 0) {
        SetLastError(ERROR_INVALID_PARAMETER);
        return false;
    }
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, sceneWidth, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    picture.Dc = CreateCompatibleDC(nullptr);
    picture.Bitmap =
        picture.Dc != nullptr ? CreateDIBSection(picture.Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0) : nullptr;
    if (picture.Bitmap == nullptr) {
        return false;
    }
    picture.OldBitmap = SelectObject(picture.Dc, picture.Bitmap);
    picture.Bits = static_cast<const unsigned char*>(bits);
    picture.Width = sceneWidth;
    picture.Height = height;
    picture.Stride = (sceneWidth * 3 + 3) / 4 * 4;  // DIB rows end on a 4-byte boundary

    // Put back whole: the painter leaves its scratch values in Scene, the
    // receiver its signal in Viewer.
    const SceneState scene = Scene;
    const ViewerState viewer = Viewer;
    DrawViews(picture.Dc, shown, sceneWidth, sceneHeight);
    GdiFlush();
    Scene = scene;
    Viewer = viewer;
    return true;
}

void FreePicture(Picture& picture)
{
    if (picture.OldBitmap != nullptr) {
        SelectObject(picture.Dc, picture.OldBitmap);
    }
    if (picture.Bitmap != nullptr) {
        DeleteObject(picture.Bitmap);
    }
    if (picture.Dc != nullptr) {
        DeleteDC(picture.Dc);
    }
    picture = Picture{};
}
