#include "win32/view_windows.h"

#include <cstdint>
#include <cstdio>

#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "model/fading_window.h"
#include "model/level_rings.h"
#include "model/viewer_state.h"
#include "render/fading_view.h"
#include "render/ground_map_view.h"
#include "render/signal_chart.h"
#include "render/waterfall_view.h"
#include "win32/gdi_surface.h"
#include "win32/main_window.h"
#include "win32/sound_out.h"
#include "win32/window_layout.h"

namespace {

// The status line only while it has something to say: with nothing of the
// scenes, the ionosphere or the sound in use, the chart is as it always was.
void DrawChartAndStatus(const DrawingSurface& s, int width, int height)
{
    char text[192];
    ChartStatusText(text, sizeof text);
    if (text[0] == '\0') {
        DrawSignalChart(s, width, height);
        return;
    }
    const int chartHeight = height - ChartStatusHeight;
    DrawSignalChart(s, width, chartHeight);
    s.FillRect(s.Context, 0, chartHeight, width, height);
    s.SelectPen(s.Context, PenId::Grid);
    s.MoveTo(s.Context, 0, chartHeight);
    s.LineTo(s.Context, width, chartHeight);
    s.Text(s.Context, PenId::Label, 8, chartHeight + 3, text);
    s.SelectPen(s.Context, PenId::Black);
}

bool ChartShown() { return Viewer.ReceiverShown != 0; }
bool MapShown() { return Viewer.MapShown != 0; }
bool WaterfallShown() { return Viewer.WaterfallShown != 0; }
bool StatisticsShown() { return Viewer.StatisticsShown != 0; }

// Indexed by View. Sizes: the chart's window the size it always had; the
// map one pixel row a drift step; the others as large as their texts need;
// all but the map narrowed where the screen ends.
struct ViewKind {
    const char* Title;
    bool (*Shown)();
    std::uintptr_t Key;  // closing the window presses it
    bool OuterSize;      // the window's size, not its client area's
    int Width, Height, MinWidth;
    void (*Draw)(const DrawingSurface& surface, int width, int height);
};
constexpr ViewKind ViewKinds[ViewCount] = {
    {ChartWindowTitle, ChartShown, KeyReceiver, true, 1000, 220, 620, DrawChartAndStatus},
    {MapWindowTitle, MapShown, KeyMap, false, 1000, LevelRingRows + MapFooterHeight, 0, DrawGroundMap},
    {WaterfallWindowTitle, WaterfallShown, KeyWaterfall, false, 1000, 358, 620, DrawWaterfall},
    {StatisticsWindowTitle, StatisticsShown, KeyStatistics, false, 640, 340, 520, DrawFadingView},
};

// Where the screen is too low for the map's 300 rows, it keeps at least this
// many client rows: the strip, compressed, over its legend.
constexpr int MapMinClientHeight = 150 + MapFooterHeight;

constexpr DWORD ViewStyle = WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU;

// Each view drawn off screen and copied in one go: it changes every frame
// and would flicker otherwise. The buffer lives as long as the window (made
// afresh only when the client area's size changes): a bitmap a frame costs
// about as much as drawing the chart.
struct ViewSlot {
    HWND Window;
    GdiPixels Buffer;
};
ViewSlot Slots[ViewCount];

int SlotOf(HWND window)
{
    for (int i = 0; i < ViewCount; ++i) {
        if (Slots[i].Window == window) {
            return i;
        }
    }
    return -1;
}

// The statistics of five minutes' levels move little in a frame: their
// window is redrawn once a second (a frame of drawing and copying saved nine
// times in ten), and at once when what it shows was started afresh or
// renamed: a cleared window, another receiver position or ionosphere.
constexpr int StatisticsRefreshFrames = 10;
struct StatisticsDrawn {
    int FramesAgo;
    int Count;
    double ReceiverX;
    Ionosphere Kind;
    unsigned char ReceiverShown;
};
StatisticsDrawn LastStatistics{StatisticsRefreshFrames, 0, 0, Ionosphere::Smooth, 0};

void NoteStatisticsDrawn()
{
    LastStatistics = StatisticsDrawn{0, Fading.Count, Viewer.Receiver.X, Viewer.Rough.Kind, Viewer.ReceiverShown};
}

bool StatisticsDue()
{
    StatisticsDrawn& last = LastStatistics;
    ++last.FramesAgo;
    return last.FramesAgo >= StatisticsRefreshFrames || Fading.Count < last.Count ||
           Viewer.Receiver.X != last.ReceiverX || Viewer.Rough.Kind != last.Kind ||
           Viewer.ReceiverShown != last.ReceiverShown;
}

// Draws a view into its buffer and copies that onto dc, the window's.
void DrawView(HWND window, HDC dc, int view)
{
    RECT client;
    GetClientRect(window, &client);
    GdiPixels& buffer = Slots[view].Buffer;
    if (buffer.Dc == nullptr || buffer.Width != client.right || buffer.Height != client.bottom) {
        FreeGdiPixels(buffer);
        CreateGdiPixels(buffer, dc, client.right, client.bottom);
    }
    if (buffer.Dc != nullptr) {  // none for an empty client area, or with GDI's memory spent
        ViewKinds[view].Draw(GdiPixelSurface(buffer), client.right, client.bottom);
        if (view == static_cast<int>(View::Statistics)) {
            NoteStatisticsDrawn();
        }
        BitBlt(dc, 0, 0, client.right, client.bottom, buffer.Dc, 0, 0, SRCCOPY);
    }
}

void PaintView(HWND window, int view)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    DrawView(window, dc, view);
    EndPaint(window, &paint);
}

LRESULT CALLBACK ViewWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    const int view = SlotOf(window);
    if (view < 0) {  // messages of CreateWindowEx, before the slot knows the window
        return DefWindowProcA(window, message, wParam, lParam);
    }
    switch (message) {
    case WM_PAINT: PaintView(window, view); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
    case WM_KEYDOWN: SendMessageA(MainWnd, WM_KEYDOWN, wParam, lParam); return 0;
    case WM_CLOSE: SendMessageA(MainWnd, WM_KEYDOWN, ViewKinds[view].Key, 0); return 0;  // hides it, as its key does
    case WM_DESTROY:
        FreeGdiPixels(Slots[view].Buffer);
        Slots[view].Window = nullptr;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

void RegisterViewClass()
{
    static ATOM registered = 0;
    if (registered == 0) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.style = CS_OWNDC;  // its font kept from frame to frame (see win_main.cpp)
        windowClass.lpfnWndProc = ViewWndProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIcon = reinterpret_cast<HICON>(GetClassLongPtrA(MainWnd, GCLP_HICON));
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        windowClass.lpszClassName = ViewWindowClassName;
        registered = RegisterClassExA(&windowClass);
    }
}

ScreenBox BoxOf(const RECT& rect) { return ScreenBox{rect.left, rect.top, rect.right, rect.bottom}; }

ScreenBox WorkArea()
{
    RECT work{};
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    return BoxOf(work);
}

// The program's visible windows but one: the main window, the dialog, the
// views, a box. Where a view must cover something, it had better be another
// view than the scene or the sliders.
struct TakenBoxes {
    HWND Except;
    TakenBox Boxes[MaxTakenWindows];
    int Count;
};
constexpr int ViewCoverWeight = 1, MainCoverWeight = 2, OtherCoverWeight = 3;

BOOL CALLBACK AddTakenBox(HWND window, LPARAM context)
{
    auto& taken = *reinterpret_cast<TakenBoxes*>(context);
    RECT rect{};
    if (window != taken.Except && IsWindowVisible(window) && GetWindowRect(window, &rect) &&
        taken.Count < MaxTakenWindows) {
        taken.Boxes[taken.Count++] = TakenBox{BoxOf(rect), SlotOf(window) >= 0 ? ViewCoverWeight
                                                           : window == MainWnd ? MainCoverWeight
                                                                               : OtherCoverWeight};
    }
    return TRUE;
}

void PlaceViewWindow(int view)
{
    const HWND window = Slots[view].Window;
    TakenBoxes taken{window, {}, 0};
    EnumThreadWindows(GetCurrentThreadId(), AddTakenBox, reinterpret_cast<LPARAM>(&taken));
    RECT outer{};
    GetWindowRect(window, &outer);
    RECT client{};
    GetClientRect(window, &client);
    const int frameWidth = (outer.right - outer.left) - client.right;
    // Right under the main window, where the chart has always opened, if
    // that is free; otherwise the first free place.
    RECT main{};
    GetWindowRect(MainWnd, &main);
    ScreenBox box{main.left, main.bottom, main.left + outer.right - outer.left, main.bottom + outer.bottom - outer.top};
    if (!IsFreePlace(WorkArea(), taken.Boxes, taken.Count, box)) {
        box = PlaceWindow(WorkArea(), taken.Boxes, taken.Count, outer.right - outer.left,
                          ViewKinds[view].MinWidth + frameWidth, outer.bottom - outer.top);
    }
    // On top of whatever it may have to cover.
    SetWindowPos(window, HWND_TOP, box.Left, box.Top, BoxWidth(box), BoxHeight(box), SWP_NOACTIVATE);
}

// Views the map now covers go elsewhere, if the screen has room.
void MoveViewsOffTheMap()
{
    RECT map{};
    GetWindowRect(Slots[static_cast<int>(View::Map)].Window, &map);
    for (int i = 0; i < ViewCount; ++i) {
        RECT rect{};
        if (i != static_cast<int>(View::Map) && Slots[i].Window != nullptr && GetWindowRect(Slots[i].Window, &rect) &&
            BoxesOverlap(BoxOf(rect), BoxOf(map))) {
            PlaceViewWindow(i);
        }
    }
}

void OpenViewWindow(int view)
{
    RegisterViewClass();
    const ViewKind& kind = ViewKinds[view];
    RECT outer{0, 0, kind.Width, kind.Height};
    if (!kind.OuterSize) {
        AdjustWindowRectEx(&outer, ViewStyle, FALSE, 0);
    }
    // Created hidden, so that the placing does not count it as taken.
    const HWND window = CreateWindowExA(0, ViewWindowClassName, kind.Title, ViewStyle, 0, 0, outer.right - outer.left,
                                        outer.bottom - outer.top, MainWnd, nullptr, GetModuleHandleA(nullptr), nullptr);
    if (window == nullptr) {
        return;
    }
    Slots[view].Window = window;
    const bool map = view == static_cast<int>(View::Map);
    if (map) {
        AlignMapWindow();
    } else {
        PlaceViewWindow(view);
    }
    ShowWindow(window, SW_SHOWNOACTIVATE);  // the keys stay with the main window
    if (map) {
        MoveViewsOffTheMap();
    }
}

}  // namespace

HWND ViewWindow(View view) { return Slots[static_cast<int>(view)].Window; }

void SyncViewWindows()
{
    for (int i = 0; i < ViewCount; ++i) {
        const bool shown = ViewKinds[i].Shown();
        if (shown && Slots[i].Window == nullptr) {
            OpenViewWindow(i);
        } else if (!shown && Slots[i].Window != nullptr) {
            DestroyWindow(Slots[i].Window);
        }
    }
}

void CloseViewWindows()
{
    for (ViewSlot& slot : Slots) {
        if (slot.Window != nullptr) {
            DestroyWindow(slot.Window);
        }
    }
}

// Each frame's views drawn through their windows' own DCs, not invalidated
// and painted: under Wine that saves about five requests to the wineserver
// a window (invalidate, update, begin and end the paint), half of all a
// frame made with every view shown. WM_PAINT still draws them when exposed.
void RefreshViewWindows()
{
    for (int i = 0; i < ViewCount; ++i) {
        const HWND window = Slots[i].Window;
        if (window != nullptr && (i != static_cast<int>(View::Statistics) || StatisticsDue())) {
            const HDC dc = GetDC(window);
            DrawView(window, dc, i);
            ReleaseDC(window, dc);
        }
    }
}

// The map's frame is measured on the window itself, not assumed: the frames
// of Windows' versions and Wine's differ, and the client columns must match.
void AlignMapWindow()
{
    const HWND map = Slots[static_cast<int>(View::Map)].Window;
    if (map == nullptr || MainWnd == nullptr) {
        return;
    }
    POINT mainOrigin{0, 0}, mapOrigin{0, 0};
    RECT mainClient{}, mainOuter{}, mapClient{}, mapOuter{};
    ClientToScreen(MainWnd, &mainOrigin);
    GetClientRect(MainWnd, &mainClient);
    GetWindowRect(MainWnd, &mainOuter);
    ClientToScreen(map, &mapOrigin);
    GetClientRect(map, &mapClient);
    GetWindowRect(map, &mapOuter);
    const int frameLeft = mapOrigin.x - mapOuter.left, frameTop = mapOrigin.y - mapOuter.top;
    const int frameWidth = (mapOuter.right - mapOuter.left) - mapClient.right;
    const int frameBottom = mapOuter.bottom - mapOrigin.y - mapClient.bottom;
    const ScreenBox client =
        PlaceMapClient(WorkArea(), BoxOf(mainOuter), mainOrigin.x, mainClient.right, frameTop, frameBottom,
                       ViewKinds[static_cast<int>(View::Map)].Height, MapMinClientHeight);
    SetWindowPos(map, nullptr, client.Left - frameLeft, client.Top - frameTop, BoxWidth(client) + frameWidth,
                 BoxHeight(client) + frameTop + frameBottom, SWP_NOZORDER | SWP_NOACTIVATE);
}

void ChartStatusText(char* text, int size)
{
    const char* sound = SoundStatusText();
    if (Viewer.ChosenScene < 0 && Viewer.Rough.Kind == Ionosphere::Smooth && sound[0] == '\0') {
        text[0] = '\0';
        return;
    }
    char scene[48] = "";
    if (Viewer.ChosenScene >= 0) {
        std::snprintf(scene, sizeof scene, "Scene %d: %s   |   ", Viewer.ChosenScene + 1,
                      SceneName(Viewer.ChosenScene));
    }
    std::snprintf(text, size, "%sIonosphere: %s%s%s", scene, IonosphereName(Viewer.Rough.Kind),
                  sound[0] != '\0' ? "   |   " : "", sound);
}
