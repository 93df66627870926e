// The pens and brush as GDI objects, and a frame painted through the GDI
// surface into a bitmap, checked pixel by pixel against the recorded frame.
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>

#include "model/scene_state.h"
#include "render/drawing_resources.h"
#include "render/frame_painter.h"
#include "render/gdi_surface.h"
#include "render/recording_surface.h"

namespace {

COLORREF Ref(Rgb c) { return RGB(c.R, c.G, c.B); }

TEST(DrawingResources, PensAndBrushHaveTheTablesWidthsAndColours)
{
    CreateDrawingResources();
    const HPEN pens[] = {RayPen, MarkerPen, ReflectionPen, LayerPen, WhiskerPen};
    for (int i = 0; i < CreatedPenCount; ++i) {
        ASSERT_EQ(GetObjectType(pens[i]), static_cast<DWORD>(OBJ_PEN)) << i;
        LOGPEN pen;
        ASSERT_EQ(GetObjectA(pens[i], sizeof pen, &pen), static_cast<int>(sizeof pen));
        EXPECT_EQ(pen.lopnStyle, static_cast<UINT>(PS_SOLID));
        EXPECT_EQ(pen.lopnWidth.x, PenStyles[i].Width) << i;
        EXPECT_EQ(pen.lopnColor, Ref(PenStyles[i].Colour)) << i;
        EXPECT_EQ(PenHandle(static_cast<PenId>(i)), pens[i]);
    }
    EXPECT_EQ(PenHandle(PenId::Black), GetStockObject(BLACK_PEN));
    LOGBRUSH brush;
    ASSERT_EQ(GetObjectA(BackgroundBrush, sizeof brush, &brush), static_cast<int>(sizeof brush));
    EXPECT_EQ(brush.lbStyle, static_cast<UINT>(BS_SOLID));
    EXPECT_EQ(brush.lbColor, RGB(0, 43, 54));
    // Widths 5, 4, 3, 2, 1 in creation order.
    EXPECT_EQ(PenStyles[0].Width, 5);
    EXPECT_EQ(PenStyles[4].Width, 1);

    DeleteDrawingResources();
    for (HGDIOBJ object :
         {static_cast<HGDIOBJ>(RayPen), static_cast<HGDIOBJ>(MarkerPen), static_cast<HGDIOBJ>(ReflectionPen),
          static_cast<HGDIOBJ>(LayerPen), static_cast<HGDIOBJ>(WhiskerPen), static_cast<HGDIOBJ>(BackgroundBrush)}) {
        EXPECT_EQ(GetObjectType(object), 0u) << "still alive after DeleteDrawingResources";
    }
}

class GdiFrame : public ::testing::Test {
protected:
    static constexpr int Width = 1000, Height = 550;
    HDC Dc = nullptr;
    HBITMAP Bitmap = nullptr;
    HGDIOBJ OldBitmap = nullptr;
    const uint32_t* Pixels = nullptr;
    Recording Frame;

    void SetUp() override
    {
        BITMAPINFO info = {};
        info.bmiHeader.biSize = sizeof info.bmiHeader;
        info.bmiHeader.biWidth = Width;
        info.bmiHeader.biHeight = -Height;  // top-down
        info.bmiHeader.biPlanes = 1;
        info.bmiHeader.biBitCount = 32;
        void* bits = nullptr;
        Dc = CreateCompatibleDC(nullptr);
        Bitmap = CreateDIBSection(Dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        ASSERT_NE(Bitmap, nullptr);
        OldBitmap = SelectObject(Dc, Bitmap);
        Pixels = static_cast<const uint32_t*>(bits);
        CreateDrawingResources();

        // The same first frame, once recorded for its coordinates, once on GDI.
        Scene = StartSceneState();
        ClearRecording(Frame);
        DrawFrame(RecordingSurface(Frame), Width, Height);
        Scene = StartSceneState();
        DrawFrame(GdiSurface(Dc), Width, Height);
        GdiFlush();
    }

    void TearDown() override
    {
        SelectObject(Dc, OldBitmap);
        DeleteDrawingResources();
        DeleteObject(Bitmap);
        DeleteDC(Dc);
        Scene = StartSceneState();
    }

    Rgb At(int x, int y) const
    {
        const uint32_t p = Pixels[y * Width + x];
        return Rgb{static_cast<unsigned char>(p >> 16), static_cast<unsigned char>(p >> 8),
                   static_cast<unsigned char>(p)};
    }

    static bool Same(Rgb a, Rgb b) { return a.R == b.R && a.G == b.G && a.B == b.B; }

    // The index of the n-th operation of a kind (and pen, for selections).
    int Find(DrawOpKind kind, int nth, PenId pen = PenId::Black) const
    {
        for (int i = 0; i < Frame.Count; ++i) {
            if (Frame.Ops[i].Kind == kind && (kind != DrawOpKind::SelectPen || Frame.Ops[i].Pen == pen) && nth-- == 0) {
                return i;
            }
        }
        return -1;
    }

    // The midpoint of the line drawn by operation i from the point before it.
    void ExpectMidpoint(int i, PenId pen) const
    {
        const DrawOp& from = Frame.Ops[i - 1];
        const DrawOp& to = Frame.Ops[i];
        const int x = (from.X + to.X) / 2, y = (from.Y + to.Y) / 2;
        const Rgb want = StyleOf(pen).Colour;
        EXPECT_TRUE(Same(At(x, y), want)) << PenName(pen) << " at " << x << "," << y << ": " << int(At(x, y).R) << " "
                                          << int(At(x, y).G) << " " << int(At(x, y).B);
    }
};

TEST_F(GdiFrame, KnownSegmentsShowTheirPensColours)
{
    EXPECT_TRUE(Same(At(990, 540), BackgroundColour));
    EXPECT_TRUE(Same(At(2, 300), BackgroundColour));

    // The last two rays are drawn over all others: 29 degrees (ray, then
    // reflection pen) and 27 degrees (marker pen in both segments).
    const int ray29 = Find(DrawOpKind::SelectPen, 11, PenId::Ray);
    ASSERT_GT(ray29, 0);
    ExpectMidpoint(ray29 + 2, PenId::Ray);
    ExpectMidpoint(ray29 + 5, PenId::Reflection);
    const int ray27 = Find(DrawOpKind::SelectPen, 4, PenId::Marker);
    ASSERT_GT(ray27, 0);
    ExpectMidpoint(ray27 + 2, PenId::Marker);
    ExpectMidpoint(ray27 + 5, PenId::Marker);

    // The layer away from the whisker stations, and a whisker's midpoint.
    const int layer = Find(DrawOpKind::SelectPen, 0, PenId::Layer);
    const int whiskers = Find(DrawOpKind::SelectPen, 0, PenId::Whisker);
    int checked = 0;
    for (int i = layer + 2; i < layer + 2 + 944; i += 7) {
        const DrawOp& point = Frame.Ops[i];
        bool nearStation = point.X < 0 || point.X >= Width;
        for (int w = whiskers + 1; w < Frame.Count - 1; w += 2) {
            nearStation = nearStation || std::abs(Frame.Ops[w].X - point.X) < 5;
        }
        if (!nearStation) {
            EXPECT_TRUE(Same(At(point.X, point.Y), StyleOf(PenId::Layer).Colour)) << point.X << "," << point.Y;
            ++checked;
        }
    }
    EXPECT_GT(checked, 20);
    ExpectMidpoint(whiskers + 2 * 40 + 2, PenId::Whisker);
}

}  // namespace
