// The map's and the waterfall's pictures: the colour scale, the cells
// operation through the recording and the trace format, and the map's
// columns under the scene's with time running down.
#include <gtest/gtest.h>

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

// Relative luminance of an sRGB colour.
double Luminance(Rgb c)
{
    auto linear = [](unsigned char v) {
        const double s = v / 255.0;
        return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
    };
    return 0.2126 * linear(c.R) + 0.7152 * linear(c.G) + 0.0722 * linear(c.B);
}

int Distance(Rgb a, Rgb b) { return std::abs(a.R - b.R) + std::abs(a.G - b.G) + std::abs(a.B - b.B); }

// Darkest at -40 dB, brightest at +20 dB, every dB a little brighter; no
// signal unlike any level and unlike the background; levels beyond the
// scale take its ends.
TEST(LevelColours, ScaleRisesEvenlyAndNoSignalStandsApart)
{
    EXPECT_TRUE(Distance(CellColour(0), Rgb{68, 1, 84}) <= 1 && Distance(CellColour(60), Rgb{253, 231, 37}) <= 1);
    for (int i = 1; i < ScaleColours; ++i) {
        const double step = Luminance(CellColour(i)) - Luminance(CellColour(i - 1));
        EXPECT_TRUE(step > 0 && step < 0.04) << i;
        EXPECT_GT(Distance(CellColour(NoSignalColour), CellColour(i)), 60) << i;
    }
    EXPECT_GT(Distance(CellColour(NoSignalColour), BackgroundColour), 150);
    EXPECT_EQ(Distance(CellColour(200), CellColour(NoSignalColour)), 0);
    const struct {
        double Db;
        int Index;
    } levels[] = {{-40, 0}, {-1000, 0}, {NAN, 0}, {0, 40}, {-0.4, 40}, {19.4, 59}, {20, 60}, {1e300, 60}};
    for (const auto& l : levels) {
        EXPECT_EQ(ScaleColourOf(l.Db), l.Index) << l.Db;
    }
}

std::string Line(const Recording& r, int index)
{
    char line[64];
    FormatDrawOp(r, r.Ops[index], line, sizeof line);
    return line;
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
    s.Cells(s.Context, 7, 8, 1, 1, colours, 0);
    static unsigned char row[1000];
    for (int y = 0; y < 300; ++y) {
        s.Cells(s.Context, 0, y, 1, 1, row, 1000);
    }
    EXPECT_EQ(Picture.Dropped, 1);
    s.Cells(s.Context, 0, 0, 1, 1, row, RecordingCellCapacity - Picture.CellsUsed + 1);
    EXPECT_TRUE(Picture.Count == 302 && Picture.Dropped == 2);
    EXPECT_EQ(Line(Picture, 0), "cells 3 -4 2 255 00013c3d");
    EXPECT_EQ(Line(Picture, 1), "cells 7 8 1 1");
    char shortLine[16];
    EXPECT_EQ(FormatDrawOp(Picture, Picture.Ops[0], shortLine, sizeof shortLine), 25);
    EXPECT_STREQ(shortLine, "cells 3 -4 2 25");
}

// Row k of 310 steps has its one path at x_k, the x shown at pixel column
// p_k, and a level of its own: at p_k in the row k steps from the newest,
// the colour of that level; everything else in the row no signal. Every
// column shows an x the scene draws there, and the receiver's its own.
TEST_F(MapViews, MapColumnsUnderTheScenesAndTimeRunningDown)
{
    static GroundMap map;
    ShowMap(true);
    auto pixelOf = [](int k) { return 7 + 37 * k % 990; };
    auto xOf = [&](int k) { return GroundMapX(MapColumnAtPixel(pixelOf(k))); };
    for (int k = 0; k < LevelRingRows + 10; ++k) {
        for (int c = 0; c < GroundMapColumns; ++c) {
            map.Paths[c] = GroundMapX(c) == xOf(k);
            map.SignalDb[c] = -40 + k % 61;
        }
        AddMapRow(Patterns.MapRows, map);
    }
    ClearRecording(Picture);
    DrawGroundMap(RecordingSurface(Picture), 1000, LevelRingRows + MapFooterHeight);
    int rows = 0;
    for (int i = 0; i < Picture.Count; ++i) {
        const DrawOp& op = Picture.Ops[i];
        if (op.Kind != DrawOpKind::Cells || op.CellHeight != 1) {
            continue;
        }
        const int k = LevelRingRows + 9 - op.Y, lit = pixelOf(k) - op.X;
        ASSERT_TRUE(op.X == MapToScreenX(1) && op.X + op.Y2 == MapToScreenX(1500) + 1) << op.Y;
        for (int p = 0; p < op.Y2; ++p) {
            ASSERT_EQ(Picture.Cells[op.X2 + p], p == lit ? k % 61 : NoSignalColour) << op.Y << " " << p;
        }
        ++rows;
    }
    EXPECT_EQ(rows, LevelRingRows);
    for (int p = MapToScreenX(1); p <= MapToScreenX(1500); ++p) {
        ASSERT_EQ(MapToScreenX(GroundMapX(MapColumnAtPixel(p))), p) << p;
    }
    EXPECT_EQ(MapColumnAtPixel(MapToScreenX(1)) + MapColumnAtPixel(MapToScreenX(1500) + 1), 0 - 1);
    // Regression: a negative width read the column table from below its start.
    for (int width : {-5, 0, 1}) {
        ClearRecording(Picture);
        DrawGroundMap(RecordingSurface(Picture), width, 500);
        DrawWaterfall(RecordingSurface(Picture), width, width);
        EXPECT_EQ(Picture.CellsUsed, 2 * (ScaleColours + 1)) << width;  // the two legends only
    }
    ShowReceiver(true);
    for (double x : {901.0, 902.0}) {  // both drawn at column 603
        PlaceReceiver(x);
        EXPECT_EQ(GroundMapX(MapColumnAtPixel(603)), x);
    }
}

// Frequency rises across: the band's first wavelength (the longest) is its
// leftmost cell.
TEST_F(MapViews, WaterfallLowestFrequencyOnTheLeft)
{
    ShowWaterfall(true);
    for (int j = 0; j < BandWavelengths; ++j) {
        Patterns.Band.SignalDb[j] = j == 0 ? 20 : -40;
    }
    Patterns.Band.Paths = 1;
    AddBandRow(Patterns.BandRows, Patterns.Band);
    ClearRecording(Picture);
    DrawWaterfall(RecordingSurface(Picture), 1000, 400);
    const DrawOp& row = Picture.Ops[1];
    ASSERT_TRUE(row.Kind == DrawOpKind::Cells && row.Y2 == BandWavelengths);
    EXPECT_TRUE(Picture.Cells[row.X2] == ScaleColours - 1 && Picture.Cells[row.X2 + 1] == 0);
}

}  // namespace
