#include "render/ground_map_view.h"

#include <cmath>

#include "model/viewer_state.h"
#include "render/level_colours.h"
#include "render/text_width.h"
#include "render/view_mapping.h"

namespace {

// The scene's columns run up to 999 (world x 1500); wider clients draw no
// more of the map.
constexpr int MaxMapPixels = 1000;

// The code of each level as a colour, worked out once a picture.
struct CodeColours {
    unsigned char Of[256];
};

CodeColours MakeCodeColours()
{
    CodeColours table{};
    for (int code = 0; code < 256; ++code) {
        table.Of[code] = CodeColour(static_cast<unsigned char>(code));
    }
    return table;
}

// Rows ago ... ago + 1 of the 300 take rows top + ago h / 300 up to the next
// one's; where the strip is lower than 300 rows, some take none.
int RowTop(int top, int height, int stepsAgo) { return top + stepsAgo * height / LevelRingRows; }

void DrawReceiverMark(const DrawingSurface& s, int column, int top)
{
    s.SelectPen(s.Context, PenId::Receiver);
    s.MoveTo(s.Context, column - 4, top + 6);
    s.LineTo(s.Context, column, top + 1);
    s.LineTo(s.Context, column + 4, top + 6);
}

constexpr const char* Caption = "signal along the ground: now at the top, 30 s ago at the bottom";
// The caption's two halves, where it takes two lines.
constexpr const char* CaptionFirst = "signal along the ground:";
constexpr const char* CaptionSecond = "now at the top, 30 s ago at the bottom";
constexpr int CaptionChars = 63, CaptionSecondChars = 38;

// The one-line footer: the legend, and the caption beside it from column 440.
constexpr int CaptionColumn = 440, LegendTop = 9;
constexpr int OneLineWidth = CaptionColumn + EstimatedWidth(CaptionChars) + 8;
// Narrower, the legend and the caption each take a line from NarrowMargin.
constexpr int NarrowMargin = 4, CaptionTop = LegendTop + LegendHeight + 4;
static_assert(GroundMapFooterMinWidth == 2 * NarrowMargin + LegendWidth, "the legend fits");
static_assert(GroundMapFooterMinWidth >= 2 * NarrowMargin + EstimatedWidth(CaptionSecondChars), "so does the caption");

// 1 for one line, 2 for the caption on a line of its own, 3 for it on two.
int FooterLines(int width)
{
    return width >= OneLineWidth ? 1 : width >= 2 * NarrowMargin + EstimatedWidth(CaptionChars) ? 2 : 3;
}

void DrawStripRows(const DrawingSurface& s, int width, int plotHeight)
{
    const int pixels = width < MaxMapPixels ? width : MaxMapPixels;
    int columns[MaxMapPixels];
    int first = MaxMapPixels, last = -1;
    for (int p = 0; p < pixels; ++p) {
        columns[p] = MapColumnAtPixel(p);
        if (columns[p] >= 0) {
            first = p < first ? p : first;
            last = p;
        }
    }
    const MapRing& ring = Patterns.MapRows;
    if (plotHeight > 0 && first <= last) {
        const CodeColours colours = MakeCodeColours();
        unsigned char row[MaxMapPixels];
        for (int ago = 0; ago < ring.Rows.Count; ++ago) {
            const int top = RowTop(0, plotHeight, ago), bottom = RowTop(0, plotHeight, ago + 1);
            if (bottom == top) {
                continue;
            }
            const unsigned char* levels = ring.Levels[RingRowAgo(ring.Rows, ago)];
            for (int p = first; p <= last; ++p) {
                row[p] = columns[p] >= 0 ? colours.Of[levels[columns[p]]] : NoSignalColour;
            }
            s.Cells(s.Context, first, top, 1, bottom - top, row + first, last - first + 1);
        }
    }
}

// The receiver's mark at its column, the legend and the caption, from row top.
void DrawFooter(const DrawingSurface& s, int top, int markColumn, int lines)
{
    if (Viewer.ReceiverShown) {
        DrawReceiverMark(s, markColumn, top);
    }
    if (lines == 1) {
        DrawLevelLegend(s, 8, top + LegendTop);
        s.Text(s.Context, PenId::Label, CaptionColumn, top + LegendTop, Caption);
    } else {
        DrawLevelLegend(s, NarrowMargin, top + LegendTop);
        s.Text(s.Context, PenId::Label, NarrowMargin, top + CaptionTop, lines == 2 ? Caption : CaptionFirst);
        if (lines == 3) {
            s.Text(s.Context, PenId::Label, NarrowMargin, top + CaptionTop + TextLineHeight, CaptionSecond);
        }
    }
    s.SelectPen(s.Context, PenId::Black);
}

}  // namespace

int MapColumnAtPixel(int pixelColumn)
{
    if (pixelColumn < 0 || pixelColumn > MapToScreenX(GroundMapX(GroundMapColumns - 1))) {
        return -1;
    }
    if (Viewer.ReceiverShown && MapToScreenX(Viewer.Receiver.X) == pixelColumn &&
        Viewer.Receiver.X == std::floor(Viewer.Receiver.X)) {
        return static_cast<int>(Viewer.Receiver.X) - 1;
    }
    // Start a little below the inverse of the mapping, then walk up.
    double x = std::floor(pixelColumn / static_cast<double>(ScreenXPerWorldX) - 10.0) - 1;
    while (MapToScreenX(x) < pixelColumn) {
        x += 1;
    }
    return MapToScreenX(x) == pixelColumn && x >= 1 && x <= GroundMapColumns ? static_cast<int>(x) - 1 : -1;
}

void DrawGroundMap(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    const int plotHeight = height - MapFooterHeight;
    DrawStripRows(s, width, plotHeight);
    DrawFooter(s, plotHeight > 0 ? plotHeight : 0, MapToScreenX(Viewer.Receiver.X), 1);
}

void DrawGroundMapStrip(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    DrawStripRows(s, width, height);
}

int GroundMapFooterHeight(int width)
{
    const int lines = FooterLines(width);
    return lines == 1 ? MapFooterHeight : CaptionTop + (lines - 1) * TextLineHeight + 4;
}

// The mark in the middle of the scene column's share of the footer's width.
void DrawGroundMapFooter(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    const long long column = MapToScreenX(Viewer.Receiver.X);
    const int mark = TruncateToInt(static_cast<double>((2 * column + 1) * width) / (2 * SceneColumns));
    DrawFooter(s, 0, mark, FooterLines(width));
}
