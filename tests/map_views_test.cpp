// The map's and the waterfall's pictures: the colour scale, the cells
// operation through the recording and the trace format, and the map's
// columns under the scene's with time running down.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "model/viewer_state.h"
#include "render/ground_map_view.h"
#include "render/level_colours.h"
#include "render/recording_surface.h"
#include "render/view_mapping.h"
#include "render/waterfall_view.h"
#include "scene_fixture.h"

namespace {

using MapViews = SceneTest;
Recording Picture;

// CIE lightness L* of an sRGB colour: 0 black ... 100 white, in steps the eye sees as even.
double Linear(unsigned char v) { return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); }
double Lightness(Rgb c)
{
    const double y = 0.2126 * Linear(c.R) + 0.7152 * Linear(c.G) + 0.0722 * Linear(c.B);
    return y > 0.008856 ? 116 * std::cbrt(y) - 16 : 903.3 * y;
}

int Distance(Rgb a, Rgb b) { return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B); }

// Viridis's ends, and every dB about equally lighter (1.3 L* on average);
// no signal unlike any level and the background; levels beyond the scale
// at its ends.
TEST(LevelColours, ScaleRisesEvenlyAndNoSignalStandsApart)
{
    EXPECT_TRUE(Distance(CellColour(0), Rgb{68, 1, 84}) == 0 && Distance(CellColour(60), Rgb{253, 231, 37}) == 0);
    for (int i = 1; i < ScaleColours; ++i) {
        const double step = Lightness(CellColour(i)) - Lightness(CellColour(i - 1));
        EXPECT_TRUE(step > 0.8 && step < 2 && Distance(CellColour(NoSignalColour), CellColour(i)) > 60) << i;
    }
    EXPECT_TRUE(Distance(CellColour(NoSignalColour), BackgroundColour) > 150 && CellColour(200).R == 128);
    const double levels[][2] = {{-1000, 0}, {NAN, 0}, {-0.4, 40}, {19.4, 59}, {20, 60}, {1e300, 60}};
    for (const auto& l : levels) {
        EXPECT_EQ(ScaleColourOf(l[0]), l[1]) << l[0];
    }
}

// Kept whole with their size and colours, cut off only in the text; a row
// too large or a cell beyond the operation's size dropped whole.
TEST(CellsOperation, RecordedAndTraced)
{
    ClearRecording(Picture);
    const DrawingSurface s = RecordingSurface(Picture);
    const unsigned char colours[] = {0, 1, 60, 61};
    s.Cells(s.Context, 3, -4, 2, 255, colours, 4);
    s.Cells(s.Context, 0, 0, 256, 1, colours, 4);
    s.Cells(s.Context, 0, 0, 1, 1, colours, RecordingCellCapacity);  // dropped before its colours are read
    char line[64], cut[16];
    EXPECT_TRUE(Picture.Count == 1 && Picture.Dropped == 2);
    EXPECT_TRUE(FormatDrawOp(Picture, Picture.Ops[0], line, sizeof line) == 25 &&
                FormatDrawOp(Picture, Picture.Ops[0], cut, sizeof cut) == 25);
    EXPECT_EQ(std::string(line) + "|" + cut, "cells 3 -4 2 255 00013c3d|cells 3 -4 2 25");
}

// Row k of 310 steps has its one path at x_k, the x shown at pixel column
// p_k, and a level of its own: at p_k in the row k steps from the newest,
// the colour of that level; everything else in the row no signal. Every
// column shows an x the scene draws there, and the receiver's its own.
TEST_F(MapViews, MapColumnsUnderTheScenesTimeRunningDownAndTheWaterfallAcross)
{
    static GroundMap map;
    ShowMap(true);
    auto pixelOf = [](int k) { return 7 + 37 * k % 990; };
    for (int k = 0; k < LevelRingRows + 10; ++k) {
        for (int c = 0; c < GroundMapColumns; ++c) {
            map.Paths[c] = c == MapColumnAtPixel(pixelOf(k)), map.SignalDb[c] = -40 + k % 61;
        }
        AddMapRow(Patterns.MapRows, map);
    }
    ClearRecording(Picture);
    DrawGroundMap(RecordingSurface(Picture), 1000, LevelRingRows + MapFooterHeight);
    int rows = 0;
    for (const DrawOp* op = Picture.Ops; op < Picture.Ops + Picture.Count; ++op) {
        if (op->Kind == DrawOpKind::Cells && op->CellHeight == 1) {
            const int k = LevelRingRows + 9 - op->Y;
            ASSERT_TRUE(op->X == MapToScreenX(1) && op->X + op->Y2 == MapToScreenX(1500) + 1) << op->Y;
            for (int p = 0; p < op->Y2; ++p) {
                ASSERT_EQ(Picture.Cells[op->X2 + p], p == pixelOf(k) - op->X ? k % 61 : NoSignalColour) << op->Y;
            }
            ++rows;
        }
    }
    EXPECT_EQ(rows, LevelRingRows);
    for (int p = MapToScreenX(1); p <= MapToScreenX(1500); ++p) {
        ASSERT_EQ(MapToScreenX(GroundMapX(MapColumnAtPixel(p))), p) << p;
    }
    EXPECT_TRUE(MapColumnAtPixel(MapToScreenX(1) - 1) == -1 && MapColumnAtPixel(MapToScreenX(1500) + 1) == -1);
    // Regression: a negative width read the column table from below its start.
    DrawGroundMap(RecordingSurface(Picture), -5, 500);
    ShowReceiver(true), PlaceReceiver(902);  // 901 and 902 both drawn at column 603: the receiver's shown
    EXPECT_EQ(GroundMapX(MapColumnAtPixel(603)), 902);
    // The waterfall's frequency rises across: the band's first (longest) wavelength is its leftmost cell.
    ShowWaterfall(true);
    std::fill(Patterns.Band.SignalDb + 1, Patterns.Band.SignalDb + BandWavelengths, -40);
    Patterns.Band.SignalDb[0] = 20, Patterns.Band.Paths = 1;
    AddBandRow(Patterns.BandRows, Patterns.Band);
    ClearRecording(Picture);
    DrawWaterfall(RecordingSurface(Picture), 1000, 400);
    const DrawOp& row = Picture.Ops[1];
    EXPECT_TRUE(row.Kind == DrawOpKind::Cells && Picture.Cells[row.X2] == 60 && Picture.Cells[row.X2 + 1] == 0);
}

}  // namespace
