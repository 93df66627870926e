// The browser edition's entry points. The page's script calls these C
// functions (exported by name at link time) to draw frames, the receiver's
// chart and the other views, move sliders, press keys, choose scenes and
// click. A picture is drawn into a static recording and handed over as a
// FrameView, so the script replays a whole picture after a single call.
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstring>

#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "controls/slider_mappings.h"
#include "model/level_rings.h"
#include "model/scene_state.h"
#include "model/signal_csv.h"
#include "model/viewer_state.h"
#include "qsb_version.h"
#include "render/fading_view.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/level_colours.h"
#include "render/pens.h"
#include "render/recording_surface.h"
#include "render/signal_chart.h"
#include "render/waterfall_view.h"

// Where a drawn picture's operations are, how many there are, and where the
// characters of its texts and the colours of its cells are (a Text or Cells
// operation's X2 is an offset into them).
struct FrameView {
    const DrawOp* Ops;
    int Count;
    const char* Texts;
    const unsigned char* Cells;
};

// Characters that are not NUL-terminated: the signal's CSV.
struct TextView {
    const char* Text;
    int Length;
};

// The script reads these records straight from the module's memory: a kind
// byte, a pen byte, then four 32-bit integers, 20 bytes apart. It indexes its
// replay table by kind and its pen table by pen number.
static_assert(sizeof(void*) == 4, "the script reads 32-bit pointers");
static_assert(sizeof(FrameView) == 16 && offsetof(FrameView, Ops) == 0 && offsetof(FrameView, Count) == 4 &&
                  offsetof(FrameView, Texts) == 8 && offsetof(FrameView, Cells) == 12,
              "the script reads a view as four 32-bit words");
static_assert(sizeof(TextView) == 8 && offsetof(TextView, Length) == 4, "the script reads a text as two words");
static_assert(sizeof(DrawOp) == 20, "the script steps through the operations 20 bytes at a time");
static_assert(offsetof(DrawOp, Kind) == 0 && offsetof(DrawOp, Pen) == 1, "");
static_assert(offsetof(DrawOp, CellWidth) == 2 && offsetof(DrawOp, CellHeight) == 3, "a cell's size in two bytes");
static_assert(offsetof(DrawOp, X) == 4 && offsetof(DrawOp, Y) == 8, "");
static_assert(offsetof(DrawOp, X2) == 12 && offsetof(DrawOp, Y2) == 16, "");
static_assert(static_cast<int>(DrawOpKind::Fill) == 0 && static_cast<int>(DrawOpKind::SelectPen) == 1 &&
                  static_cast<int>(DrawOpKind::MoveTo) == 2 && static_cast<int>(DrawOpKind::LineTo) == 3 &&
                  static_cast<int>(DrawOpKind::Text) == 4 && static_cast<int>(DrawOpKind::Cells) == 5,
              "the script's replay table is in this order");
static_assert(static_cast<int>(KeyAction::None) == 0 && static_cast<int>(KeyAction::Quit) == 1 &&
                  static_cast<int>(KeyAction::ReceiverToggled) == 2 && static_cast<int>(KeyAction::Help) == 3 &&
                  static_cast<int>(KeyAction::SceneChosen) == 7,
              "the script reads qsb_key's answer by these numbers");
static_assert(KeyMap == 0x4D && KeyWaterfall == 0x57 && KeyStatistics == 0x53 && KeyIonosphere == 0x49 &&
                  KeyFirstScene == 0x31 && SceneCount == 5,
              "the script presses these key codes");

// Static: a Recording is too large for the stack. One each, so that every
// view of a frame can be drawn before any is replayed.
static Recording Frame;
static Recording Chart;
static Recording Map;
static Recording MapFooter;
static Recording Waterfall;
static Recording Statistics;
static FrameView View;
static FrameView ChartView;
static FrameView MapView;
static FrameView MapFooterView;
static FrameView WaterfallView;
static FrameView StatisticsView;
static char Text[64];
// The header and a row a sample: a row is under 64 characters (a step of at
// most 19 digits, levels of at most a few thousand dB).
constexpr int SignalRowCapacity = 64;
static char SignalCsv[sizeof SignalCsvHeader + SignalHistoryLength * SignalRowCapacity];
static TextView SignalCsvView;

static bool IsSlider(int slider) { return slider >= 0 && slider < SliderCount; }
static bool IsPen(int pen) { return pen >= 0 && pen < PenCount; }
static bool IsScene(int scene) { return scene >= 0 && scene < SceneCount; }
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
    View = FrameView{Frame.Ops, Frame.Count, Frame.Texts, Frame.Cells};
    return &View;
}

static const FrameView* DrawView(void (*draw)(const DrawingSurface&, int, int), Recording& recording, FrameView& view,
                                 int width, int height)
{
    ClearRecording(recording);
    draw(RecordingSurface(recording), width, height);
    view = FrameView{recording.Ops, recording.Count, recording.Texts, recording.Cells};
    return &view;
}

// The views as they are after the last frame, onto a width x height client.
// They read Viewer and Patterns and move nothing, so each can be drawn again
// at any time. The map's pixel columns are the scene's at 1000 wide.
const FrameView* qsb_draw_chart(int width, int height)
{
    return DrawView(DrawSignalChart, Chart, ChartView, width, height);
}
const FrameView* qsb_draw_map(int width, int height) { return DrawView(DrawGroundMap, Map, MapView, width, height); }
// The map's strip alone (its pixel columns the scene's at 1000 wide), and its
// footer on a client of its own at any width, its receiver mark at the scene's
// column scaled to that width.
const FrameView* qsb_draw_map_strip(int width, int height)
{
    return DrawView(DrawGroundMapStrip, Map, MapView, width, height);
}
const FrameView* qsb_draw_map_footer(int width, int height)
{
    return DrawView(DrawGroundMapFooter, MapFooter, MapFooterView, width, height);
}
const FrameView* qsb_draw_waterfall(int width, int height)
{
    return DrawView(DrawWaterfall, Waterfall, WaterfallView, width, height);
}
const FrameView* qsb_draw_statistics(int width, int height)
{
    return DrawView(DrawFadingView, Statistics, StatisticsView, width, height);
}

// The map's height at one row a drift step: its rows and its footer.
int qsb_map_height() { return LevelRingRows + MapFooterHeight; }
int qsb_map_rows() { return LevelRingRows; }

// The heights the views need at a width: the map's footer exactly, the
// waterfall and the statistics at least (their texts apart).
int qsb_map_footer_height(int width) { return GroundMapFooterHeight(width); }
int qsb_waterfall_min_height(int width) { return WaterfallMinHeight(width); }
int qsb_statistics_min_height(int width) { return FadingViewMinHeight(width); }

// The narrowest each view keeps its texts whole and apart at 11 px; the page
// scales a view down below it rather than crowd it.
int qsb_map_footer_min_width() { return GroundMapFooterMinWidth; }
int qsb_waterfall_min_width() { return WaterfallMinWidth; }
int qsb_statistics_min_width() { return FadingMinWidth; }

// A cell's colour by its index (render/level_colours.h), as 0xRRGGBB.
int qsb_cell_colour(int index) { return PackedColour(CellColour(static_cast<unsigned char>(index & 0xFF))); }

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

// A key-down, as the Windows program's virtual key code. Returns what the
// page has to do (a KeyAction); nothing quits a page, so it ignores Quit.
int qsb_key(int code) { return code > 0 ? static_cast<int>(ApplyKey(static_cast<std::uintptr_t>(code))) : 0; }

// A click at a column of the scene's 1000-wide client area: the receiver goes
// on the ground there, and is shown if it was hidden.
void qsb_click(int column)
{
    if (!Viewer.ReceiverShown) {
        ShowReceiver(true);
    }
    PlaceReceiver(ReceiverXAtColumn(column));
}

// What the page shows beside the pictures and keeps in its address.
int qsb_receiver_shown() { return Viewer.ReceiverShown; }
int qsb_paused() { return Viewer.Paused; }
double qsb_receiver_x() { return Viewer.Receiver.X; }

int qsb_map_shown() { return Viewer.MapShown; }
int qsb_waterfall_shown() { return Viewer.WaterfallShown; }
int qsb_statistics_shown() { return Viewer.StatisticsShown; }

// Set as their keys set them (the waterfall shows the receiver too).
static void SetByKey(unsigned char now, int wanted, std::uintptr_t key)
{
    if ((now != 0) != (wanted != 0)) {
        ApplyKey(key);
    }
}
void qsb_set_map_shown(int shown) { SetByKey(Viewer.MapShown, shown, KeyMap); }
void qsb_set_waterfall_shown(int shown) { SetByKey(Viewer.WaterfallShown, shown, KeyWaterfall); }
void qsb_set_statistics_shown(int shown) { SetByKey(Viewer.StatisticsShown, shown, KeyStatistics); }

// The scene chosen last, 0 to 4, or -1 for none; its name; choosing one
// sets the layer, the receiver and the ionosphere (out of range: nothing).
int qsb_scene() { return Viewer.ChosenScene; }
int qsb_scene_count() { return SceneCount; }
const char* qsb_scene_name(int scene) { return SceneName(scene); }
void qsb_choose_scene(int scene) { ChooseScene(scene); }

// A scene's slider: the position it puts the slider at, and the text shown.
int qsb_scene_slider_position(int scene, int slider)
{
    return IsScene(scene) && IsSlider(slider) ? SceneSlider(scene, static_cast<Slider>(slider)).Position : 0;
}
const char* qsb_scene_slider_text(int scene, int slider)
{
    Text[0] = '\0';
    if (IsScene(scene) && IsSlider(slider)) {
        const SliderSetting setting = SceneSlider(scene, static_cast<Slider>(slider));
        std::memcpy(Text, setting.Text, sizeof setting.Text);
    }
    return Text;
}

// The ionosphere: its setting (0 smooth ... 3 disturbed) and name, and its
// seed, which the script holds as two 32-bit halves or as decimal text
// (qsb-trace --seed's numbers, 0 to 2^64 - 1). Setting one keeps the other.
int qsb_ionosphere() { return static_cast<int>(Viewer.Rough.Kind); }
int qsb_ionosphere_count() { return IonosphereCount; }
const char* qsb_ionosphere_name(int kind)
{
    return kind >= 0 && kind < IonosphereCount ? IonosphereName(static_cast<Ionosphere>(kind)) : "";
}
void qsb_set_ionosphere(int kind)
{
    if (kind >= 0 && kind < IonosphereCount) {
        SetIonosphere(static_cast<Ionosphere>(kind), Viewer.Rough.Seed);
    }
}
void qsb_set_seed(unsigned high, unsigned low)
{
    SetIonosphere(Viewer.Rough.Kind, (static_cast<std::uint64_t>(high) << 32) | low);
}
const char* qsb_seed_text()
{
    std::snprintf(Text, sizeof Text, "%llu", static_cast<unsigned long long>(Viewer.Rough.Seed));
    return Text;
}

// The whiskers shown: 0 none, 1 tangents, 2 normals (never both).
int qsb_whiskers() { return Scene.ShowTangents ? 1 : Scene.ShowNormals ? 2 : 0; }

// The state a link asks for, set on the start state when the page loads.
void qsb_set_whiskers(int whiskers)
{
    Scene.ShowTangents = whiskers == 1;
    Scene.ShowNormals = whiskers == 2;
}
void qsb_set_paused(int paused) { Viewer.Paused = paused != 0; }
void qsb_show_receiver_at(double x)
{
    if (!Viewer.ReceiverShown) {
        ShowReceiver(true);
    }
    PlaceReceiver(x);
}

// The slider position whose value is nearest a value from a link.
int qsb_slider_position_of(int slider, double value)
{
    return IsSlider(slider) ? SliderPositionOf(static_cast<Slider>(slider), value) : 0;
}

// The receiver's history as qsb-trace --signal writes it: the header, then
// one row a sample, oldest first. A row that would not fit its share of the
// buffer (none can) ends the text there rather than being cut.
const TextView* qsb_signal_csv()
{
    int used = static_cast<int>(sizeof SignalCsvHeader) - 1;
    std::memcpy(SignalCsv, SignalCsvHeader, used);
    for (int ago = Viewer.History.Count - 1; ago >= 0; --ago) {
        const int n = FormatSignalCsvRow(SampleAgo(Viewer.History, ago), SignalCsv + used, SignalRowCapacity);
        if (n < 0 || n >= SignalRowCapacity) {
            break;
        }
        used += n;
    }
    SignalCsvView = TextView{SignalCsv, used};
    return &SignalCsvView;
}

// The receiver's signal for the layer as it is now, without a frame or a
// chart sample; returns its number of paths. The benchmark times the
// receiver alone with it.
int qsb_listen()
{
    ComputeReceiverSignal(CurrentLayer(), Viewer.Receiver, Viewer.Signal);
    return Viewer.Signal.Paths;
}

// The same fan as a frame hears it: the receiver, and the map and the band
// while they are shown, through the ionosphere, adding no row. The benchmark
// times the map and the band against the receiver alone with it.
int qsb_listen_views()
{
    UpdateReceiver(false);
    return Viewer.Signal.Paths;
}

// The program's version (project() in the top CMakeLists.txt), for the help box.
const char* qsb_version() { return QsbVersion; }

}  // extern "C"
