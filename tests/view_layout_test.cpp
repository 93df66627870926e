// The views' texts laid out for their width, wide and narrow (as a phone's
// page draws them): no two overlap and none runs past the client's edges,
// where a canvas would cut it off unseen. Each text's box is its estimated
// width (render/text_width.h) by the 11 px font's height.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "model/fading_window.h"
#include "model/viewer_state.h"
#include "render/fading_view.h"
#include "render/ground_map_view.h"
#include "render/recording_surface.h"
#include "render/text_width.h"
#include "render/waterfall_view.h"
#include "scene_fixture.h"

namespace {

using ViewLayout = SceneTest;
Recording Picture;

constexpr int FontHeight = 11;

struct Box {
    int Left, Top, Right, Bottom;
    std::string Text;
};

TEST_F(ViewLayout, TextsApartAndWithinTheClientAtEveryWidth)
{
    ShowReceiver(true), PlaceReceiver(1500), ShowMap(true), ShowWaterfall(true);
    for (int i = 0; i < FadingWindowLength; ++i) {
        AddFadingLevel(Fading, (i * 7919) % 41 - 30.25);  // every statistic a number, "-" none
    }
    const struct {
        const char* What;
        void (*Draw)(const DrawingSurface&, int, int);
        int Width, Height;
    } cases[] = {
        {"map footer, phone", DrawGroundMapFooter, GroundMapFooterMinWidth,
         GroundMapFooterHeight(GroundMapFooterMinWidth)},
        {"map footer, two lines", DrawGroundMapFooter, 420, GroundMapFooterHeight(420)},
        {"map footer, one line", DrawGroundMapFooter, 1000, GroundMapFooterHeight(1000)},
        {"waterfall, phone", DrawWaterfall, WaterfallMinWidth, WaterfallMinHeight(WaterfallMinWidth)},
        {"waterfall, caption under the legend", DrawWaterfall, 700, WaterfallMinHeight(700)},
        {"waterfall, one line", DrawWaterfall, 1000, 358},
        {"statistics, phone", DrawFadingView, FadingMinWidth, FadingViewMinHeight(FadingMinWidth)},
        {"statistics, narrow", DrawFadingView, FadingWideWidth - 1, FadingViewMinHeight(FadingWideWidth - 1)},
        {"statistics, wide", DrawFadingView, FadingWideWidth, FadingViewMinHeight(FadingWideWidth)},
    };
    for (const auto& c : cases) {
        ClearRecording(Picture);
        c.Draw(RecordingSurface(Picture), c.Width, c.Height);
        std::vector<Box> boxes;
        for (const DrawOp* op = Picture.Ops; op < Picture.Ops + Picture.Count; ++op) {
            if (op->Kind == DrawOpKind::Text) {
                const std::string text(Picture.Texts + op->X2, op->Y2);
                boxes.push_back({op->X, op->Y, op->X + EstimatedWidth(op->Y2), op->Y + FontHeight, text});
            }
        }
        EXPECT_GE(boxes.size(), 6u) << c.What;
        for (size_t i = 0; i < boxes.size(); ++i) {
            const Box& a = boxes[i];
            EXPECT_TRUE(a.Left >= 0 && a.Top >= 0 && a.Right <= c.Width && a.Bottom <= c.Height)
                << c.What << ": \"" << a.Text << "\" at " << a.Left << " " << a.Top << " to " << a.Right;
            for (size_t j = 0; j < i; ++j) {
                const Box& b = boxes[j];
                EXPECT_FALSE(a.Left < b.Right && b.Left < a.Right && a.Top < b.Bottom && b.Top < a.Bottom)
                    << c.What << ": \"" << a.Text << "\" over \"" << b.Text << "\"";
            }
        }
    }
}

}  // namespace
