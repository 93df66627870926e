#include "render/signal_chart.h"

#include <cstdio>
#include <initializer_list>

#include "model/truncate.h"
#include "model/viewer_state.h"
#include "render/text_width.h"

namespace {

// The plot's rectangle inside the client area: room for the dB labels on the
// left, the current values on top and the times underneath.
struct Plot {
    int Left, Top, Right, Bottom;
};

constexpr int StepsPerSecond = 10;
constexpr int SecondsPerGridLine = 5;
constexpr double DbPerGridLine = 10.0;

constexpr int TextMargin = 8;  // the texts' distance from the client area's sides
constexpr int LineHeight = TextLineHeight;
constexpr int ValueColumn = 130;  // from one current value to the next
constexpr int PlotLeft = 64, PlotRightMargin = 16, PlotBottomMargin = 22;
constexpr int OneLineTop = 28, TwoLineTop = OneLineTop + LineHeight;
// "99999 paths to the receiver at x = 1500, paused": the most paths a fan
// can bring, the receiver's widest x.
constexpr int LongestValueText = 47;
// The current values fit one line from here on; below, the paths' text
// takes a second line, and every value starts at the left margin.
constexpr int OneLineWidth = PlotLeft + 2 * ValueColumn + EstimatedWidth(LongestValueText) + TextMargin;
static_assert(ChartMinWidth == 2 * TextMargin + EstimatedWidth(LongestValueText), "the longest text fits");
static_assert(ChartMinHeight == TwoLineTop + 7 * LineHeight + PlotBottomMargin, "a line for each of 8 dB labels");

int ColumnAgo(const Plot& p, int stepsAgo)
{
    return TruncateToInt(p.Right - static_cast<double>(stepsAgo) * (p.Right - p.Left) / (SignalHistoryLength - 1));
}

int RowOf(const Plot& p, double db)
{
    const double clamped = db > ChartTopDb ? ChartTopDb : db < ChartBottomDb ? ChartBottomDb : db;
    return TruncateToInt(p.Top + (ChartTopDb - clamped) * (p.Bottom - p.Top) / (ChartTopDb - ChartBottomDb));
}

// Which edge a level is pinned to: +1 above the scale, -1 below, 0 on it.
int Beyond(double db) { return db > ChartTopDb ? 1 : db < ChartBottomDb ? -1 : 0; }

// The times are labelled every 5 s where their texts fit, else every 10,
// 15 or 30 s.
int SecondsPerTimeLabel(const Plot& p)
{
    const int seconds = SignalHistoryLength / StepsPerSecond;
    const double columnsPerSecond = static_cast<double>(p.Right - p.Left) / seconds;
    const int needed = EstimatedWidth(5) + 4;  // "-30 s" and a gap
    for (int every : {5, 10, 15}) {
        if (every * columnsPerSecond >= needed) {
            return every;
        }
    }
    return seconds;
}

void DrawGrid(const DrawingSurface& s, const Plot& p)
{
    char text[32];
    s.SelectPen(s.Context, PenId::Grid);
    for (double db = ChartTopDb; db >= ChartBottomDb; db -= DbPerGridLine) {
        s.MoveTo(s.Context, p.Left, RowOf(p, db));
        s.LineTo(s.Context, p.Right, RowOf(p, db));
        std::snprintf(text, sizeof text, "%+.0f dB", db);
        s.Text(s.Context, PenId::Label, TextMargin, RowOf(p, db) - 7, db == 0 ? "   0 dB" : text);
    }
    const int seconds = SignalHistoryLength / StepsPerSecond;
    const int labelled = SecondsPerTimeLabel(p);
    for (int ago = 0; ago <= seconds; ago += SecondsPerGridLine) {
        const int x = ColumnAgo(p, ago * StepsPerSecond);
        s.MoveTo(s.Context, x, p.Top);
        s.LineTo(s.Context, x, p.Bottom);
        if (ago % labelled == 0) {
            std::snprintf(text, sizeof text, "-%d s", ago);
            s.Text(s.Context, PenId::Label, x - 12, p.Bottom + 4, ago == 0 ? "now" : text);
        }
    }
}

// A line at the first sample taken at the receiver's new place, labelled
// with its x on the right, where the new place's samples are. The label is
// left out while it would cross the right edge or a newer line.
void DrawMoveMarks(const DrawingSurface& s, const Plot& p)
{
    const SignalHistory& history = Viewer.History;
    s.SelectPen(s.Context, PenId::Receiver);
    int freeRight = p.Right;  // a label must end left of here
    for (int ago = 0; ago + 1 < history.Count; ++ago) {
        const double x = SampleAgo(history, ago).ReceiverX;
        if (x == SampleAgo(history, ago + 1).ReceiverX) {
            continue;
        }
        const int column = ColumnAgo(p, ago);
        s.MoveTo(s.Context, column, p.Top);
        s.LineTo(s.Context, column, p.Bottom);
        char text[32];
        std::snprintf(text, sizeof text, "x = %.0f", x);
        if (column + 3 + TextWidth(text) <= freeRight) {
            s.Text(s.Context, PenId::Receiver, column + 3, p.Top + 2, text);
        }
        freeRight = column - 2;
    }
}

// Oldest to newest; a sample without signal ends the line, the next one
// with a signal starts a new one.
void DrawCurve(const DrawingSurface& s, const Plot& p, PenId pen, double SignalSample::*level)
{
    const SignalHistory& history = Viewer.History;
    s.SelectPen(s.Context, pen);
    bool drawing = false;
    for (int ago = history.Count - 1; ago >= 0; --ago) {
        const SignalSample& sample = SampleAgo(history, ago);
        if (sample.Paths == 0) {
            drawing = false;
            continue;
        }
        const int x = ColumnAgo(p, ago), y = RowOf(p, sample.*level);
        if (drawing) {
            s.LineTo(s.Context, x, y);
        } else {
            s.MoveTo(s.Context, x, y);
        }
        drawing = true;
    }
}

// A chevron on the edge, pointing out, where the curve leaves the scale
// (or where the chart begins with it outside). One that would overlap the
// last is left out, which also bounds the operations of a wildly
// alternating history.
void DrawPinnedMarks(const DrawingSurface& s, const Plot& p, PenId pen, double SignalSample::*level)
{
    constexpr int HalfWidth = 4, Depth = 5;
    const SignalHistory& history = Viewer.History;
    s.SelectPen(s.Context, pen);
    int before = 0;  // the older sample's edge
    int lastColumn = p.Left - 3 * HalfWidth;
    for (int ago = history.Count - 1; ago >= 0; --ago) {
        const SignalSample& sample = SampleAgo(history, ago);
        const int edge = sample.Paths == 0 ? 0 : Beyond(sample.*level);
        const int x = ColumnAgo(p, ago);
        if (edge != 0 && edge != before && x > lastColumn + 2 * HalfWidth) {
            const int y = edge > 0 ? p.Top : p.Bottom;
            s.MoveTo(s.Context, x - HalfWidth, y + edge * Depth);
            s.LineTo(s.Context, x, y);
            s.LineTo(s.Context, x + HalfWidth, y + edge * Depth);
            lastColumn = x;
        }
        before = edge;
    }
}

// On one line from the plot's left when the width allows; on two lines from
// the left margin on a narrow chart.
void DrawCurrentValues(const DrawingSurface& s, const Plot& p, bool oneLine)
{
    const ReceiverSignal& now = Viewer.Signal;
    const char* paused = Viewer.Paused ? ", paused" : "";
    const int left = oneLine ? p.Left : TextMargin;
    char text[96];
    if (now.Paths == 0) {
        std::snprintf(text, sizeof text, "no signal: no ray lands at x = %.0f%s", Viewer.Receiver.X, paused);
        s.Text(s.Context, PenId::Label, left, 6, text);
        return;
    }
    std::snprintf(text, sizeof text, "signal %+.1f dB", now.SignalDb);
    s.Text(s.Context, PenId::Signal, left, 6, text);
    std::snprintf(text, sizeof text, "focus %+.1f dB", now.FocusDb);
    s.Text(s.Context, PenId::Focus, left + ValueColumn, 6, text);
    std::snprintf(text, sizeof text, "%d path%s to the receiver at x = %.0f%s", now.Paths, now.Paths == 1 ? "" : "s",
                  Viewer.Receiver.X, paused);
    s.Text(s.Context, PenId::Label, oneLine ? left + 2 * ValueColumn : left, oneLine ? 6 : 6 + LineHeight, text);
}

}  // namespace

void DrawSignalChart(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    const bool oneLine = width >= OneLineWidth;
    const Plot plot{PlotLeft, oneLine ? OneLineTop : TwoLineTop, width - PlotRightMargin, height - PlotBottomMargin};
    DrawGrid(s, plot);
    DrawMoveMarks(s, plot);
    DrawCurve(s, plot, PenId::Focus, &SignalSample::FocusDb);
    DrawPinnedMarks(s, plot, PenId::Focus, &SignalSample::FocusDb);
    DrawCurve(s, plot, PenId::Signal, &SignalSample::SignalDb);
    DrawPinnedMarks(s, plot, PenId::Signal, &SignalSample::SignalDb);
    DrawCurrentValues(s, plot, oneLine);
    s.SelectPen(s.Context, PenId::Black);
}
