#include "render/fading_view.h"

#include <cmath>
#include <cstdio>

#include "model/fading_statistics.h"
#include "model/fading_window.h"
#include "model/truncate.h"
#include "model/viewer_state.h"
#include "render/text_width.h"

namespace {

// Static: the window's levels in time order, and sorted.
double Series[FadingWindowLength];
double Sorted[FadingWindowLength];

struct Plot {
    int Left, Top, Right, Bottom;
};

constexpr int TableWidth = 240, RowHeight = 15;
// Beside the paper the table's rows start at TableTop; under it they start
// TableGap under the paper (its labels between), and take TableHeight, the
// "measured" header above them included. The paper is at least
// NarrowPaperHeight high, for its 90 % and 99 % labels to stay apart.
constexpr int PlotTop = 44, TableTop = 44, TableGap = 36 + 2 * RowHeight, TableHeight = 13 * RowHeight;
constexpr int NarrowPlotTop = PlotTop + TextLineHeight, NarrowPaperHeight = 180, WideMinHeight = 300;
static_assert(FadingMinWidth >= 4 + TableWidth && FadingMinWidth >= 4 + EstimatedWidth(54),
              "the table and the verdict fit (\"Rayleigh fading: the curve follows the line (KS 0.037)\")");
constexpr int MeasuredColumn = 124, RayleighColumn = 186;
constexpr int CurvePoints = 120;

// y = log10(-ln(1 - P)): Rayleigh's P = 1 - exp(-ln 2 10^(x / 10)) becomes
// y = log10(ln 2) + x / 10, a straight line.
double PaperY(double probability) { return std::log10(-std::log1p(-probability)); }
double ProbabilityAt(double y) { return -std::expm1(-std::pow(10.0, y)); }

// Values beyond the paper are drawn at its edge.
double Clamp(double v, double low, double high) { return v < low ? low : v > high ? high : v; }

int Column(const Plot& p, double db)
{
    const double x = Clamp(db, PaperLowestDb, PaperHighestDb);
    return TruncateToInt(p.Left + (x - PaperLowestDb) * (p.Right - p.Left) / (PaperHighestDb - PaperLowestDb));
}

int Row(const Plot& p, double probability)
{
    const double low = PaperY(PaperLowestP), high = PaperY(PaperHighestP);
    const double y = Clamp(PaperY(probability), low, high);
    return TruncateToInt(p.Bottom - (y - low) * (p.Bottom - p.Top) / (high - low));
}

void DrawPaper(const DrawingSurface& s, const Plot& p)
{
    char text[32];
    s.SelectPen(s.Context, PenId::Grid);
    for (double db = PaperLowestDb; db <= PaperHighestDb; db += 10) {
        const int x = Column(p, db);
        s.MoveTo(s.Context, x, p.Top);
        s.LineTo(s.Context, x, p.Bottom);
        std::snprintf(text, sizeof text, db == 0 ? "0" : "%+.0f", db);
        s.Text(s.Context, PenId::Label, x - 8, p.Bottom + 4, text);
    }
    s.Text(s.Context, PenId::Label, p.Left, p.Bottom + 18, "level relative to the median, dB");
    // 99.9 % would crowd 99 % at the top; the paper ends there.
    const double percents[] = {0.1, 1, 10, 50, 90, 99};
    for (double percent : percents) {
        const int y = Row(p, percent / 100);
        s.MoveTo(s.Context, p.Left, y);
        s.LineTo(s.Context, p.Right, y);
        std::snprintf(text, sizeof text, "%g %%", percent);
        s.Text(s.Context, PenId::Label, 4, y - 7, text);
    }
}

// Rayleigh's line, y = log10(ln 2) + x / 10, where it crosses the paper.
void DrawRayleighLine(const DrawingSurface& s, const Plot& p)
{
    const double offset = std::log10(std::log(2.0));
    const double from = std::fmax(PaperLowestDb, 10 * (PaperY(PaperLowestP) - offset));
    const double to = std::fmin(PaperHighestDb, 10 * (PaperY(PaperHighestP) - offset));
    s.SelectPen(s.Context, PenId::Rayleigh);
    s.MoveTo(s.Context, Column(p, from), Row(p, RayleighProbability(from)));
    s.LineTo(s.Context, Column(p, to), Row(p, RayleighProbability(to)));
}

// The measured distribution: the level at evenly spaced heights of the
// paper, within the probabilities n levels can tell (1 / n ... 1 - 1 / n).
void DrawMeasuredCurve(const DrawingSurface& s, const Plot& p, int n)
{
    const double low = PaperY(PaperLowestP), high = PaperY(PaperHighestP);
    s.SelectPen(s.Context, PenId::Signal);
    bool drawing = false;
    for (int i = 0; i <= CurvePoints; ++i) {
        const double probability = ProbabilityAt(low + (high - low) * i / CurvePoints);
        if (probability < 1.0 / n || probability > 1 - 1.0 / n) {
            continue;
        }
        const int x = Column(p, SortedQuantile(Sorted, n, probability)), y = Row(p, probability);
        drawing ? s.LineTo(s.Context, x, y) : s.MoveTo(s.Context, x, y);
        drawing = true;
    }
}

// "-" for what is undefined.
void Format(char* text, int size, const char* format, double value)
{
    std::isnan(value) ? std::snprintf(text, size, "-") : std::snprintf(text, size, format, value);
}

void DrawTableRow(const DrawingSurface& s, int left, int top, int row, const char* name, const char* format,
                  double measured, double rayleigh)
{
    char text[32];
    const int y = top + RowHeight * row;
    s.Text(s.Context, PenId::Label, left, y, name);
    Format(text, sizeof text, format, measured);
    s.Text(s.Context, PenId::Signal, left + MeasuredColumn, y, text);
    if (!std::isnan(rayleigh)) {
        Format(text, sizeof text, format, rayleigh);
        s.Text(s.Context, PenId::Rayleigh, left + RayleighColumn, y, text);
    }
}

void DrawTable(const DrawingSurface& s, int left, int top, const FadingStatistics& m)
{
    const RayleighFading r = RayleighFadingFor(m.CrossingsPerSecond);
    s.Text(s.Context, PenId::Signal, left + MeasuredColumn, top - RowHeight, "measured");
    s.Text(s.Context, PenId::Rayleigh, left + RayleighColumn, top - RowHeight, "Rayleigh");
    DrawTableRow(s, left, top, 0, "1 % level, dB", "%+.1f", m.P01Db, r.P01Db);
    DrawTableRow(s, left, top, 1, "10 % level, dB", "%+.1f", m.P10Db, r.P10Db);
    DrawTableRow(s, left, top, 2, "90 % level, dB", "%+.1f", m.P90Db, r.P90Db);
    DrawTableRow(s, left, top, 3, "99 % level, dB", "%+.1f", m.P99Db, r.P99Db);
    DrawTableRow(s, left, top, 4, "under -10 dB, %", "%.1f", 100 * m.Below10, 100 * r.Below10);
    DrawTableRow(s, left, top, 5, "median crossings/s", "%.2f", m.CrossingsPerSecond, NAN);
    DrawTableRow(s, left, top, 6, "fades/s at -10 dB", "%.2f", m.FadesPerSecond, r.FadesPerSecond);
    DrawTableRow(s, left, top, 7, "fade length, s", "%.2f", m.FadeSeconds, r.FadeSeconds);
    DrawTableRow(s, left, top, 8, "KS distance", "%.3f", m.Ks, NAN);
    char text[64];
    std::snprintf(text, sizeof text, "over the last %.0f s", m.Frames * SecondsPerLevel);
    s.Text(s.Context, PenId::Label, left, top + RowHeight * 10, text);
    std::snprintf(text, sizeof text, "signal in %d of %d frames", m.Samples, m.Frames);
    s.Text(s.Context, PenId::Label, left, top + RowHeight * 11, text);
}

// The title, and under it the verdict a learner looks for first.
void DrawHeadings(const DrawingSurface& s, const FadingStatistics& m, bool narrow)
{
    char text[128];
    std::snprintf(text, sizeof text, "Fading statistics at x = %.0f, %s ionosphere", Viewer.Receiver.X,
                  IonosphereName(Viewer.Rough.Kind));
    s.Text(s.Context, PenId::Label, 4, 4, text);
    if (m.Samples < MinFadingSamples) {
        const char* hint = Viewer.ReceiverShown ? "" : " (R shows the receiver)";
        std::snprintf(text, sizeof text, "Collecting: %d of %d samples with a signal%s", m.Samples, MinFadingSamples,
                      narrow ? "" : hint);
        s.Text(s.Context, PenId::Label, 4, 19, text);
        if (narrow && hint[0] != '\0') {
            s.Text(s.Context, PenId::Label, 4, 19 + TextLineHeight, hint + 1);
        }
        return;
    }
    const bool rayleigh = m.Ks <= RayleighKsLimit;
    std::snprintf(text, sizeof text, "%s (KS %.3f)",
                  rayleigh ? "Rayleigh fading: the curve follows the line" : "Not Rayleigh: the curve leaves the line",
                  m.Ks);
    s.Text(s.Context, rayleigh ? PenId::Signal : PenId::Label, 4, 19, text);
}

}  // namespace

void DrawFadingView(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    const int count = FadingSeries(Fading, Series);
    const FadingStatistics measured = MeasureSortedFading(Series, count, Sorted, FadingSorted(Fading, Sorted));
    const bool narrow = width < FadingWideWidth;
    const Plot plot = narrow ? Plot{50, NarrowPlotTop, width - 16, height - TableGap - TableHeight}
                             : Plot{50, PlotTop, width - TableWidth - 16, height - 36};
    DrawPaper(s, plot);
    DrawRayleighLine(s, plot);
    if (measured.Samples >= MinFadingSamples) {
        DrawMeasuredCurve(s, plot, measured.Samples);
        DrawTable(s, narrow ? 4 : width - TableWidth, narrow ? plot.Bottom + TableGap : TableTop, measured);
    }
    DrawHeadings(s, measured, narrow);
    s.SelectPen(s.Context, PenId::Black);
}

int FadingViewMinHeight(int width)
{
    return width < FadingWideWidth ? NarrowPlotTop + NarrowPaperHeight + TableGap + TableHeight : WideMinHeight;
}
