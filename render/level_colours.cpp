#include "render/level_colours.h"

#include "model/level_rings.h"
#include "model/truncate.h"
#include "render/text_width.h"

namespace {

// Viridis at nine evenly spaced points (0, 1/8, ... 1), as published with
// the scale; between them the colours are interpolated in sRGB, which the
// anchors lie close enough for.
constexpr Rgb Anchors[9] = {{68, 1, 84},    {71, 45, 123}, {59, 82, 139},  {44, 114, 142}, {33, 144, 140},
                            {39, 173, 129}, {93, 200, 99}, {170, 220, 50}, {253, 231, 37}};

// A mid grey: no hue, unlike every colour of the scale and the background.
constexpr Rgb NoSignalGrey = {128, 128, 128};

// a + (b - a) num / den, rounded, in whole numbers (never negative).
constexpr unsigned char Mix(int a, int b, int num, int den)
{
    return static_cast<unsigned char>((2 * (a * den + (b - a) * num) + den) / (2 * den));
}

struct Palette {
    Rgb Colour[CellColourCount];
};

constexpr Palette MakePalette()
{
    Palette p{};
    // Colour i lies at 8 i / (n - 1) anchors along.
    constexpr int den = ScaleColours - 1;
    for (int i = 0; i < ScaleColours; ++i) {
        const int anchor = 8 * i / den < 8 ? 8 * i / den : 7;
        const int num = 8 * i - anchor * den;
        const Rgb a = Anchors[anchor], b = Anchors[anchor + 1];
        p.Colour[i] = Rgb{Mix(a.R, b.R, num, den), Mix(a.G, b.G, num, den), Mix(a.B, b.B, num, den)};
    }
    p.Colour[NoSignalColour] = NoSignalGrey;
    return p;
}

constexpr Palette Colours = MakePalette();

constexpr int BarCellWidth = 4, BarHeight = 8;

}  // namespace

Rgb CellColour(unsigned char index) { return Colours.Colour[index < CellColourCount ? index : NoSignalColour]; }

unsigned char ScaleColourOf(double db)
{
    const double steps = db - ScaleBottomDb;
    if (!(steps > 0)) {  // NaN too
        return 0;
    }
    return static_cast<unsigned char>(steps >= ScaleColours - 1 ? ScaleColours - 1 : TruncateToInt(steps + 0.5));
}

unsigned char CodeColour(unsigned char code)
{
    return code == NoLevel ? NoSignalColour : ScaleColourOf(CodedLevelDb(code));
}

// The bar has a cell for each colour; its labels stand under every 20 dB.
void DrawLevelLegend(const DrawingSurface& s, int left, int top)
{
    unsigned char scale[ScaleColours];
    for (int i = 0; i < ScaleColours; ++i) {
        scale[i] = static_cast<unsigned char>(i);
    }
    s.Cells(s.Context, left, top, BarCellWidth, BarHeight, scale, ScaleColours);
    const char* labels[] = {"-40 dB", "-20", "0", "+20 dB"};
    for (int i = 0; i < 4; ++i) {
        const int x = left + 20 * i * BarCellWidth;
        s.Text(s.Context, PenId::Label, i == 0 ? x : i == 3 ? x - 36 : x - 4, top + BarHeight + 1, labels[i]);
    }
    const int swatch = left + ScaleColours * BarCellWidth + 24;
    const unsigned char grey = NoSignalColour;
    s.Cells(s.Context, swatch, top, 12, BarHeight, &grey, 1);
    s.Text(s.Context, PenId::Label, swatch + 16, top - 2, "no signal");
}

static_assert(LegendWidth == ScaleColours * BarCellWidth + 24 + 16 + EstimatedWidth(9),
              "up to the end of \"no signal\"");
