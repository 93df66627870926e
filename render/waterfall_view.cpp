#include "render/waterfall_view.h"

#include <cstdio>

#include "model/viewer_state.h"
#include "render/level_colours.h"

namespace {

// Room for the time labels on the left, the receiver's mark on top, and the
// frequency labels and the legend underneath.
constexpr int PlotLeft = 52, PlotTop = 8, RightMargin = 12, FooterHeight = 50;

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

// Frequency across, every 5 %, with the receiver's own marked above and
// below the plot; time down, every 10 s.
void DrawAxes(const DrawingSurface& s, const Plot& p)
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
    std::snprintf(text, sizeof text, "frequency across, 0: the receiver's own (wavelength %g); time down",
                  Viewer.Receiver.Wavelength);
    s.Text(s.Context, PenId::Label, 440, bottom + FooterHeight - LegendHeight, text);
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
                    height - PlotTop - FooterHeight};
    if (plot.Height > 0) {
        DrawRows(s, plot);
        DrawAxes(s, plot);
    }
    DrawLevelLegend(s, 8, height - LegendHeight);
    s.SelectPen(s.Context, PenId::Black);
}
