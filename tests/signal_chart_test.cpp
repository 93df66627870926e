// The receiver's chart as drawn into a recording: where the receiver moved,
// and levels beyond the scale.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "render/recording_surface.h"
#include "render/signal_chart.h"
#include "scene_fixture.h"

namespace {

Recording Chart;

struct Point {
    int X, Y;
    bool operator==(const Point& p) const { return X == p.X && Y == p.Y; }
};

void Draw(int width, int height)
{
    ClearRecording(Chart);
    DrawSignalChart(RecordingSurface(Chart), width, height);
}

// Where the chart moved or drew to with the pen selected, in order.
std::vector<Point> PointsOf(PenId pen)
{
    std::vector<Point> points;
    PenId selected = PenId::Black;
    for (const DrawOp* op = Chart.Ops; op < Chart.Ops + Chart.Count; ++op) {
        selected = op->Kind == DrawOpKind::SelectPen ? op->Pen : selected;
        if ((op->Kind == DrawOpKind::MoveTo || op->Kind == DrawOpKind::LineTo) && selected == pen) {
            points.push_back({op->X, op->Y});
        }
    }
    return points;
}

std::vector<std::string> TextsIn(PenId pen)
{
    std::vector<std::string> texts;
    for (const DrawOp* op = Chart.Ops; op < Chart.Ops + Chart.Count; ++op) {
        if (op->Kind == DrawOpKind::Text && op->Pen == pen) {
            texts.emplace_back(Chart.Texts + op->X2, op->Y2);
        }
    }
    return texts;
}

// The grid line a label names, just drawn before it: its row, or its column.
int GridAt(const std::string& label)
{
    for (const DrawOp* op = Chart.Ops + 1; op < Chart.Ops + Chart.Count; ++op) {
        if (op->Kind == DrawOpKind::Text && std::string(Chart.Texts + op->X2, op->Y2) == label) {
            return label.back() == 'B' ? op[-1].Y : op[-1].X;
        }
    }
    return -1;
}

void AddSamples(int count, double db, double receiverX)
{
    for (int i = 0; i < count; ++i) {
        AddSignalSample(Viewer.History, SignalSample{0, 1, db, db, receiverX});
    }
}

using SignalChart = SceneTest;

// A move is marked at the first sample at the new place, labelled with the
// new x; the mark scrolls with the samples and goes with them.
TEST_F(SignalChart, MovesAreMarkedWhileTheirSamplesAreShown)
{
    AddSamples(99, 0, 900);
    AddSamples(50, 0, 910);  // from 20 s ago: 200 samples before the newest
    AddSamples(151, 0, 5);   // from 15 s ago
    Draw(1000, 200);
    const int top = GridAt("+30 dB"), bottom = GridAt("-40 dB"), at15 = GridAt("-15 s"), at20 = GridAt("-20 s");
    EXPECT_EQ(PointsOf(PenId::Receiver),
              (std::vector<Point>{{at15, top}, {at15, bottom}, {at20, top}, {at20, bottom}}));
    EXPECT_EQ(TextsIn(PenId::Receiver), (std::vector<std::string>{"x = 5", "x = 910"}));

    // 10 s on, past the ring's end: the move to 910 has left the chart; a
    // move at the newest sample is marked, its label has no room yet.
    AddSamples(99, 0, 5);
    AddSamples(1, 0, 6);
    Draw(1000, 200);
    const int now = GridAt("now"), at25 = GridAt("-25 s");
    EXPECT_EQ(PointsOf(PenId::Receiver), (std::vector<Point>{{now, top}, {now, bottom}, {at25, top}, {at25, bottom}}));
    EXPECT_EQ(TextsIn(PenId::Receiver), std::vector<std::string>{"x = 5"});
}

// Levels beyond the scale lie on its edge, with a chevron pointing out
// where they leave it; a level on the edge itself has none.
TEST_F(SignalChart, LevelsBeyondTheScaleArePinnedAndMarked)
{
    for (double db : {45.0, 0.0, ChartTopDb, -100.0}) {
        AddSamples(10, db, 900);
    }
    Draw(ChartMinWidth, ChartMinHeight);
    const int top = GridAt("+30 dB"), bottom = GridAt("-40 dB"), rows[] = {top, GridAt("   0 dB"), top, bottom};
    for (PenId pen : {PenId::Focus, PenId::Signal}) {
        const std::vector<Point> p = PointsOf(pen);
        ASSERT_EQ(p.size(), 40u + 2 * 3);  // the curve, a chevron up and one down
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(p[i].Y, rows[i / 10]) << i;
        }
        const int up = p[0].X, down = p[30].X;
        const std::vector<Point> chevrons{{up - 4, top + 5},      {up, top},      {up + 4, top + 5},
                                          {down - 4, bottom - 5}, {down, bottom}, {down + 4, bottom - 5}};
        EXPECT_EQ(std::vector<Point>(p.begin() + 40, p.end()), chevrons);
    }
}

}  // namespace
