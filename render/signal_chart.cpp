#include "render/signal_chart.h"

#include <cstdio>

#include "model/truncate.h"
#include "model/viewer_state.h"

namespace {

// The plot's rectangle inside the client area: room for the dB labels on the
// left, the current values on top and the times underneath.
struct Plot {
    int Left, Top, Right, Bottom;
};

constexpr int StepsPerSecond = 10;
constexpr int SecondsPerGridLine = 5;
constexpr double DbPerGridLine = 10.0;

int ColumnAgo(const Plot& p, int stepsAgo)
{
    return TruncateToInt(p.Right - static_cast<double>(stepsAgo) * (p.Right - p.Left) / (SignalHistoryLength - 1));
}

int RowOf(const Plot& p, double db)
{
    const double clamped = db > ChartTopDb ? ChartTopDb : db < ChartBottomDb ? ChartBottomDb : db;
    return TruncateToInt(p.Top + (ChartTopDb - clamped) * (p.Bottom - p.Top) / (ChartTopDb - ChartBottomDb));
}

void DrawGrid(const DrawingSurface& s, const Plot& p)
{
    char text[32];
    s.SelectPen(s.Context, PenId::Grid);
    for (double db = ChartTopDb; db >= ChartBottomDb; db -= DbPerGridLine) {
        s.MoveTo(s.Context, p.Left, RowOf(p, db));
        s.LineTo(s.Context, p.Right, RowOf(p, db));
        std::snprintf(text, sizeof text, "%+.0f dB", db);
        s.Text(s.Context, PenId::Label, 8, RowOf(p, db) - 7, db == 0 ? "   0 dB" : text);
    }
    const int seconds = SignalHistoryLength / StepsPerSecond;
    for (int ago = 0; ago <= seconds; ago += SecondsPerGridLine) {
        const int x = ColumnAgo(p, ago * StepsPerSecond);
        s.MoveTo(s.Context, x, p.Top);
        s.LineTo(s.Context, x, p.Bottom);
        std::snprintf(text, sizeof text, "-%d s", ago);
        s.Text(s.Context, PenId::Label, x - 12, p.Bottom + 4, ago == 0 ? "now" : text);
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

void DrawCurrentValues(const DrawingSurface& s, const Plot& p)
{
    const ReceiverSignal& now = Viewer.Signal;
    const char* paused = Viewer.Paused ? ", paused" : "";
    char text[96];
    if (now.Paths == 0) {
        std::snprintf(text, sizeof text, "no signal: no ray lands at x = %.0f%s", Viewer.Receiver.X, paused);
        s.Text(s.Context, PenId::Label, p.Left, 6, text);
        return;
    }
    std::snprintf(text, sizeof text, "signal %+.1f dB", now.SignalDb);
    s.Text(s.Context, PenId::Signal, p.Left, 6, text);
    std::snprintf(text, sizeof text, "focus %+.1f dB", now.FocusDb);
    s.Text(s.Context, PenId::Focus, p.Left + 130, 6, text);
    std::snprintf(text, sizeof text, "%d path%s to the receiver at x = %.0f%s", now.Paths, now.Paths == 1 ? "" : "s",
                  Viewer.Receiver.X, paused);
    s.Text(s.Context, PenId::Label, p.Left + 260, 6, text);
}

}  // namespace

void DrawSignalChart(const DrawingSurface& s, int width, int height)
{
    s.FillRect(s.Context, 0, 0, width, height);
    const Plot plot{64, 28, width - 16, height - 22};
    DrawGrid(s, plot);
    DrawCurve(s, plot, PenId::Focus, &SignalSample::FocusDb);
    DrawCurve(s, plot, PenId::Signal, &SignalSample::SignalDb);
    DrawCurrentValues(s, plot);
    s.SelectPen(s.Context, PenId::Black);
}
