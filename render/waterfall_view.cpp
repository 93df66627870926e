#include "render/waterfall_view.h"

#include <cstdio>
#include <cstring>

#include "model/viewer_state.h"
#include "render/level_colours.h"
#include "render/text_width.h"

namespace {

// Room for the time labels on the left, the receiver's mark on top, and the
// frequency labels and the legend underneath.
constexpr int PlotLeft = 52, PlotTop = 8, RightMargin = 12, FooterHeight = 50;
constexpr int LegendLeft = 8, CaptionColumn = 440, MinPlotHeight = 120;
static_assert(WaterfallMinWidth == LegendLeft + LegendWidth, "the legend fits");
// A frequency label every 16 cells, "-10 %" wide, with a gap between.
static_assert((WaterfallMinWidth - PlotLeft - RightMargin) / BandWavelengths * (BandWavelengths - 1) / 4 >=
                  EstimatedWidth(5) + 4,
              "the frequency labels fit");

struct Plot {
    int Left, Top, CellWidth, Height;
};

int RowTop(const Plot& p, int stepsAgo) { return p.Top + stepsAgo * p.Height / LevelRingRows; }
int CellMiddle(const Plot& p, int column) { return p.Left + column * p.CellWidth + p.CellWidth / 2; }

void DrawRows(const DrawingSurface& s, const Plot& p)
{
    const BandRing& ring = Patterns.BandRows;
    unsigned char row[BandWavelengths];
    for (int ago = 0; ago < ring.Rows.Count; ++ago) {
        const int top = RowTop(p, ago), bottom = RowTop(p, ago + 1);
        if (bottom == top) {
            continue;
        }
        const unsigned char* levels = ring.Levels[RingRowAgo(ring.Rows, ago)];
        for (int j = 0; j < BandWavelengths; ++j) {
            row[j] = CodeColour(levels[j]);
        }
        s.Cells(s.Context, p.Left, top, p.CellWidth, bottom - top, row, BandWavelengths);
    }
}

// The caption goes beside the legend where it fits, else under it, split
// after its "; " where one line is still too long: its lines under the
// legend, and where it splits.
int CaptionLines(char* caption, int width, char** split)
{
    *split = std::strstr(caption, "; ");
    if (width >= CaptionColumn + TextWidth(caption) + 8) {
        return 0;
    }
    return width >= 2 * LegendLeft + TextWidth(caption) || *split == nullptr ? 1 : 2;
}

int FormatCaption(char* text, int size)
{
    return std::snprintf(text, size, "frequency across, 0: the receiver's own (wavelength %g); time down",
                         Viewer.Receiver.Wavelength);
}

void DrawCaption(const DrawingSurface& s, int width, int legendTop)
{
    char text[96];
    FormatCaption(text, sizeof text);
    char* split = nullptr;
    const int lines = CaptionLines(text, width, &split);
    if (lines == 0) {
        s.Text(s.Context, PenId::Label, CaptionColumn, legendTop, text);
        return;
    }
    const int top = legendTop + LegendHeight + 2;
    if (lines == 2) {
        s.Text(s.Context, PenId::Label, LegendLeft, top + TextLineHeight, split + 2);
        split[0] = '\0';
    }
    s.Text(s.Context, PenId::Label, LegendLeft, top, text);
}

int FooterHeightFor(int width)
{
    char text[96];
    FormatCaption(text, sizeof text);
    char* split = nullptr;
    const int lines = CaptionLines(text, width, &split);
    return FooterHeight + (lines == 0 ? 0 : 2 + lines * TextLineHeight);
}

// Frequency across, every 5 %, with the receiver's own marked above and
// below the plot; time down, every 10 s.
void DrawAxes(const DrawingSurface& s, const Plot& p, int width)
{
    const int centre = CellMiddle(p, BandCentre), bottom = p.Top + p.Height;
    s.SelectPen(s.Context, PenId::Receiver);
    s.MoveTo(s.Context, centre, 1);
    s.LineTo(s.Context, centre, p.Top - 1);
    s.MoveTo(s.Context, centre, bottom + 1);
    s.LineTo(s.Context, centre, bottom + 5);
    const char* labels[] = {"-10 %", "-5 %", "0", "+5 %", "+10 %"};
    for (int i = 0; i < 5; ++i) {
        const int x = CellMiddle(p, i * (BandWavelengths - 1) / 4);
        s.Text(s.Context, i == 2 ? PenId::Receiver : PenId::Label, i == 2 ? x - 3 : x - 14, bottom + 6, labels[i]);
    }
    char text[96];
    DrawCaption(s, width, bottom + FooterHeight - LegendHeight);
    for (int seconds = 0; seconds <= 30; seconds += 10) {
        std::snprintf(text, sizeof text, "-%d s", seconds);
        const int y = RowTop(p, seconds * 10);
        s.Text(s.Context, PenId::Label, 8, seconds == 30 ? y - 12 : y, seconds == 0 ? "now" : text);
    }
}

}  // namespace

void DrawWaterfall(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    const int cellWidth = (width - PlotLeft - RightMargin) / BandWavelengths;
    const Plot plot{PlotLeft, PlotTop,
                    cellWidth < 1     ? 1
                    : cellWidth > 255 ? 255
                                      : cellWidth,
                    height - PlotTop - FooterHeightFor(width)};
    if (plot.Height > 0) {
        DrawRows(s, plot);
        DrawAxes(s, plot, width);
    }
    DrawLevelLegend(s, LegendLeft, plot.Top + plot.Height + FooterHeight - LegendHeight);
    s.SelectPen(s.Context, PenId::Black);
}

int WaterfallMinHeight(int width) { return PlotTop + MinPlotHeight + FooterHeightFor(width); }
