// The receiver's chart as drawn into a recording: where the receiver moved,
// and levels beyond the scale.
#include <gtest/gtest.h>

#include <map>
#include <string>
#include <vector>

#include "render/recording_surface.h"
#include "render/signal_chart.h"
#include "scene_fixture.h"

namespace {

Recording Chart;

struct Point {
    int X, Y;
};

// The chart's operations sorted out: the grid's rows and columns by their
// labels, the texts drawn in each pen, and the points each pen moved or
// drew to, in order (a move starts a new run).
struct ChartParts {
    std::map<std::string, int> GridAt;  // "+30 dB": its row; "-20 s": its column
    std::map<PenId, std::vector<std::pair<Point, std::string>>> Texts;
    std::map<PenId, std::vector<std::vector<Point>>> Runs;
};

ChartParts DrawChart(int width, int height)
{
    ClearRecording(Chart);
    DrawSignalChart(RecordingSurface(Chart), width, height);
    ChartParts parts;
    PenId pen = PenId::Black;
    for (const DrawOp* op = Chart.Ops; op < Chart.Ops + Chart.Count; ++op) {
        switch (op->Kind) {
        case DrawOpKind::SelectPen: pen = op->Pen; break;
        case DrawOpKind::MoveTo: parts.Runs[pen].push_back({{op->X, op->Y}}); break;
        case DrawOpKind::LineTo: parts.Runs[pen].back().push_back({op->X, op->Y}); break;
        case DrawOpKind::Text: {
            const std::string text(Chart.Texts + op->X2, op->Y2);
            parts.Texts[op->Pen].push_back({{op->X, op->Y}, text});
            if (op->Pen == PenId::Label && pen == PenId::Grid) {  // a grid line just drawn, its label
                parts.GridAt[text] = text.back() == 's' || text == "now" ? op[-1].X : op[-1].Y;
            }
            break;
        }
        case DrawOpKind::Fill: break;
        }
    }
    return parts;
}

// Samples of one level each at the receiver's places, the oldest first.
void AddSamples(int count, double db, double receiverX)
{
    for (int i = 0; i < count; ++i) {
        AddSignalSample(Viewer.History, SignalSample{0, 1, db, db, receiverX});
    }
}

using SignalChart = SceneTest;

// A move is marked at the first sample at the new place, labelled with the
// new x to its right; the mark scrolls with the samples and goes with them.
TEST_F(SignalChart, MovesAreMarkedWhileTheirSamplesAreShown)
{
    AddSamples(99, 0, 900);
    AddSamples(50, 0, 910);  // from 20 s ago: 200 samples before the newest
    AddSamples(151, 0, 5);   // from 15 s ago
    ChartParts parts = DrawChart(1000, 200);
    const auto& marks = parts.Runs[PenId::Receiver];
    ASSERT_EQ(marks.size(), 2u);
    const int at20 = parts.GridAt["-20 s"], at15 = parts.GridAt["-15 s"], top = parts.GridAt["+30 dB"];
    EXPECT_TRUE(marks[0][0].X == at15 && marks[0][1].X == at15 && marks[0][0].Y == top);
    EXPECT_TRUE(marks[1][0].X == at20 && marks[1][1].X == at20 && marks[1][1].Y == parts.GridAt["-40 dB"]);
    const auto& labels = parts.Texts[PenId::Receiver];
    ASSERT_EQ(labels.size(), 2u);
    EXPECT_TRUE(labels[0].second == "x = 5" && labels[0].first.X == at15 + 3);
    EXPECT_TRUE(labels[1].second == "x = 910" && labels[1].first.X == at20 + 3);

    // 10 s on, past the ring's end: the move to 910 has left the chart; a
    // move at the newest sample is marked, its label has no room yet.
    AddSamples(99, 0, 5);
    AddSamples(1, 0, 6);
    parts = DrawChart(1000, 200);
    ASSERT_EQ(parts.Runs[PenId::Receiver].size(), 2u);
    EXPECT_EQ(parts.Runs[PenId::Receiver][0][0].X, parts.GridAt["now"]);
    EXPECT_EQ(parts.Runs[PenId::Receiver][1][0].X, parts.GridAt["-25 s"]);
    ASSERT_EQ(parts.Texts[PenId::Receiver].size(), 1u);
    EXPECT_EQ(parts.Texts[PenId::Receiver][0].second, "x = 5");
}

// Levels beyond the scale lie on its edge, with a chevron pointing out
// where they leave it; a level on the edge itself has none.
TEST_F(SignalChart, LevelsBeyondTheScaleArePinnedAndMarked)
{
    const double levels[] = {45, 0, ChartTopDb, -100};
    for (double db : levels) {
        AddSamples(10, db, 900);
    }
    ChartParts parts = DrawChart(ChartMinWidth, ChartMinHeight);
    const int top = parts.GridAt["+30 dB"], bottom = parts.GridAt["-40 dB"];
    const int rows[] = {top, parts.GridAt["   0 dB"], top, bottom};
    for (PenId pen : {PenId::Focus, PenId::Signal}) {
        const auto& runs = parts.Runs[pen];
        ASSERT_EQ(runs.size(), 3u);  // the curve, a chevron up, a chevron down
        ASSERT_EQ(runs[0].size(), 40u);
        for (int i = 0; i < 40; ++i) {
            EXPECT_EQ(runs[0][i].Y, rows[i / 10]) << i;
        }
        const int upAt = runs[0][0].X, downAt = runs[0][30].X;
        const Point up[3] = {{upAt - 4, top + 5}, {upAt, top}, {upAt + 4, top + 5}};
        const Point down[3] = {{downAt - 4, bottom - 5}, {downAt, bottom}, {downAt + 4, bottom - 5}};
        for (int i = 0; i < 3; ++i) {
            EXPECT_TRUE(runs[1][i].X == up[i].X && runs[1][i].Y == up[i].Y) << i;
            EXPECT_TRUE(runs[2][i].X == down[i].X && runs[2][i].Y == down[i].Y) << i;
        }
    }
}

}  // namespace
