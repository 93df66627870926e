// The browser edition's entry points. The page's script calls these C
// functions (exported by name at link time) to draw frames, move sliders and
// press keys. A frame is drawn into one static recording and handed over as
// a FrameView, so the script replays a whole frame after a single call.
#include <cstddef>

#include "controls/key_commands.h"
#include "controls/slider_mappings.h"
#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "render/frame_painter.h"
#include "render/pens.h"
#include "render/recording_surface.h"

// Where a drawn frame's operations are and how many there are. Any other
// picture the page may show (a second canvas) is handed over the same way.
struct FrameView {
    const DrawOp* Ops;
    int Count;
};

// The script reads these records straight from the module's memory: a kind
// byte, a pen byte, then four 32-bit integers, 20 bytes apart. It indexes its
// replay table by kind and its pen table by pen number.
static_assert(sizeof(void*) == 4, "the script reads 32-bit pointers");
static_assert(sizeof(FrameView) == 8 && offsetof(FrameView, Ops) == 0 && offsetof(FrameView, Count) == 4, "");
static_assert(sizeof(DrawOp) == 20, "the script steps through the operations 20 bytes at a time");
static_assert(offsetof(DrawOp, Kind) == 0 && offsetof(DrawOp, Pen) == 1, "");
static_assert(offsetof(DrawOp, X) == 4 && offsetof(DrawOp, Y) == 8, "");
static_assert(offsetof(DrawOp, X2) == 12 && offsetof(DrawOp, Y2) == 16, "");
static_assert(static_cast<int>(DrawOpKind::Fill) == 0 && static_cast<int>(DrawOpKind::SelectPen) == 1 &&
                  static_cast<int>(DrawOpKind::MoveTo) == 2 && static_cast<int>(DrawOpKind::LineTo) == 3,
              "the script's replay table is in this order");

static Recording Frame;
static FrameView View;
static char Text[64];

static bool IsSlider(int slider) { return slider >= 0 && slider < SliderCount; }
static bool IsPen(int pen) { return pen >= 0 && pen < PenCount; }
static int PackedColour(Rgb c) { return (c.R << 16) | (c.G << 8) | c.B; }

extern "C" {

// Back to the values every start of the program begins from.
void qsb_reset()
{
    Scene = StartSceneState();
    Viewer = StartViewerState();
}

// Draws the next frame (the drift advances) onto a width x height client.
const FrameView* qsb_draw_frame(int width, int height)
{
    ClearRecording(Frame);
    DrawFrame(RecordingSurface(Frame), width, height);
    View = FrameView{Frame.Ops, Frame.Count};
    return &View;
}

// Operation i of the last frame in qsb-trace's words; empty when there is none.
const char* qsb_format_op(int index)
{
    Text[0] = '\0';
    if (index >= 0 && index < Frame.Count) {
        FormatDrawOp(Frame, Frame.Ops[index], Text, sizeof Text);
    }
    return Text;
}

// Pens by number (PenId), as PenStyles lists them; colours as 0xRRGGBB.
int qsb_pen_count() { return PenCount; }
int qsb_pen_width(int pen) { return IsPen(pen) ? PenStyles[pen].Width : 1; }
int qsb_pen_colour(int pen) { return IsPen(pen) ? PackedColour(PenStyles[pen].Colour) : 0; }
int qsb_background_colour() { return PackedColour(BackgroundColour); }

// The sliders in the dialog's order; the minimum position is at the top.
int qsb_slider_count() { return SliderCount; }
int qsb_slider_min(int slider) { return IsSlider(slider) ? SliderLayouts[slider].Min : 0; }
int qsb_slider_max(int slider) { return IsSlider(slider) ? SliderLayouts[slider].Max : 0; }
int qsb_slider_start_position(int slider)
{
    return IsSlider(slider) ? SliderStartPosition(static_cast<Slider>(slider)) : 0;
}

// The text before any slider moves, shown from the start value itself.
const char* qsb_slider_start_text(int slider)
{
    Text[0] = '\0';
    if (IsSlider(slider)) {
        FormatSliderValue(static_cast<Slider>(slider), StartDisplayValue(static_cast<Slider>(slider)), Text,
                          sizeof Text);
    }
    return Text;
}

// A slider moved: stores its value in Scene and returns the text to show.
// Positions outside the range are held at its ends, as a trackbar does.
const char* qsb_slider_moved(int slider, int position)
{
    Text[0] = '\0';
    if (!IsSlider(slider)) {
        return Text;
    }
    const Slider s = static_cast<Slider>(slider);
    const SliderLayout& layout = LayoutOf(s);
    const int p = position < layout.Min ? layout.Min : position > layout.Max ? layout.Max : position;
    FormatSliderValue(s, SliderDisplayValue(s, p), Text, sizeof Text);
    StoreSliderValue(s, p);
    return Text;
}

// A key-down, as its character code; nothing quits a page, so Q does nothing.
void qsb_key(int code)
{
    if (code > 0) {
        ApplyKey(static_cast<std::uintptr_t>(code));
    }
}

}  // extern "C"
