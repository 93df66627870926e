#include "render/ground_map_view.h"

#include <cmath>

#include "model/viewer_state.h"
#include "render/level_colours.h"
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
    const int footer = plotHeight > 0 ? plotHeight : 0;
    if (Viewer.ReceiverShown) {
        DrawReceiverMark(s, MapToScreenX(Viewer.Receiver.X), footer);
    }
    DrawLevelLegend(s, 8, footer + 9);
    s.Text(s.Context, PenId::Label, 440, footer + 9, "signal along the ground: now at the top, 30 s ago at the bottom");
    s.SelectPen(s.Context, PenId::Black);
}
