// The views' windows under Wine: where a new window goes on screens of two
// sizes, the map's columns under the scene's, the keys and the system menu
// for the views, the scenes (the dialog's sliders following) and the
// ionosphere, and the sound key with a device or without.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "model/viewer_state.h"
#include "tests/scene_fixture.h"
#include "win32/param_dialog.h"
#include "win32/resources/resource_ids.h"
#include "win32/sound_out.h"
#include "win32/tests/main_window_fixture.h"
#include "win32/view_windows.h"
#include "win32/window_layout.h"

namespace {

bool Inside(const ScreenBox& box, const ScreenBox& work)
{
    return box.Left >= work.Left && box.Top >= work.Top && box.Right <= work.Right && box.Bottom <= work.Bottom;
}

bool Covers(const ScreenBox& box, const std::vector<TakenBox>& taken)
{
    for (const TakenBox& t : taken) {
        if (BoxesOverlap(box, t.Box)) {
            return true;
        }
    }
    return false;
}

// Whether a window of that size fits anywhere without covering one, trying
// every pixel: the reference the placing's corners are held to.
bool FreePlaceExists(const ScreenBox& work, const std::vector<TakenBox>& taken, int width, int height)
{
    for (int top = work.Top; top + height <= work.Bottom; ++top) {
        for (int left = work.Left; left + width <= work.Right; ++left) {
            if (!Covers(ScreenBox{left, top, left + width, top + height}, taken)) {
                return true;
            }
        }
    }
    return false;
}

// The program's windows opened one after another on the two screens it must
// serve, with and without the map under the main window (the dialog where
// its template puts it): each goes on a free place whenever there is one,
// and inside the screen always.
TEST(WindowLayout, FreePlacesFirstAndNothingOffScreen)
{
    const ScreenBox main{10, 10, 1010, 560}, dialog{1003, 0, 1277, 174}, map{13, 560, 1007, 900};
    const struct {
        int Width, Height;
    } views[] = {{1006, 221}, {1006, 383}, {646, 365}, {1006, 221}, {646, 365}};  // chart, waterfall, statistics...
    for (const ScreenBox& work : {ScreenBox{0, 0, 1280, 800}, ScreenBox{0, 0, 1920, 1080}}) {
        for (bool withMap : {false, true}) {
            std::vector<TakenBox> taken{{main, 2}, {dialog, 3}};
            if (withMap) {
                taken.push_back({ScreenBox{map.Left, map.Top, map.Right, work.Bottom}, 1});
            }
            for (const auto& view : views) {
                const ScreenBox box = PlaceWindow(work, taken.data(), static_cast<int>(taken.size()), view.Width,
                                                  view.Width, view.Height);
                const bool free = FreePlaceExists(work, taken, view.Width, view.Height);
                EXPECT_TRUE(Inside(box, work) && BoxWidth(box) == view.Width && BoxHeight(box) == view.Height &&
                            Covers(box, taken) != free)
                    << work.Right << " map " << withMap << " view " << taken.size() << " at " << box.Left << ","
                    << box.Top;
                taken.push_back({box, 1});
            }
        }
    }
    // Where the screen ends first, a window is narrowed down to its least
    // width; a window larger than the screen starts at its top left corner.
    const TakenBox left{ScreenBox{0, 0, 700, 800}, 1};
    const ScreenBox narrowed = PlaceWindow(ScreenBox{0, 0, 1280, 800}, &left, 1, 1000, 520, 300);
    EXPECT_TRUE(narrowed.Left == 700 && narrowed.Top == 0 && narrowed.Right == 1280) << narrowed.Left;
    const ScreenBox large = PlaceWindow(ScreenBox{0, 0, 800, 600}, &left, 1, 1000, 1000, 700);
    EXPECT_TRUE(large.Left == 0 && large.Top == 0) << large.Left << "," << large.Top;
}

// The map's client area right under the main window's frame where the
// screen has room, squeezed to the screen's bottom where it has less, and
// moved up over the main window where even its least height does not fit;
// always from the main window's client column 0 on, as wide.
TEST(WindowLayout, MapUnderTheMainWindow)
{
    const ScreenBox main{10, 10, 1010, 560};
    const struct {
        int WorkBottom, Top, Height;
    } wants[] = {{1080, 560 + 22, 334}, {800, 560 + 22, 800 - 3 - 582}, {700, 700 - 3 - 184, 184}};
    for (const auto& w : wants) {
        const ScreenBox client = PlaceMapClient(ScreenBox{0, 0, 1280, w.WorkBottom}, main, 16, 988, 22, 3, 334, 184);
        EXPECT_TRUE(client.Left == 16 && BoxWidth(client) == 988 && client.Top == w.Top && BoxHeight(client) == w.Height)
            << w.WorkBottom << ": " << client.Top << " " << BoxHeight(client);
    }
}

std::string WindowText(HWND window)
{
    char text[128] = "";
    GetWindowTextA(window, text, sizeof text);
    return text;
}

std::string StatusText()
{
    char text[192];
    ChartStatusText(text, sizeof text);
    return text;
}

// The system menu's submenu whose entry's text starts so.
HMENU Submenu(HWND window, const char* text)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    for (int i = 0; i < GetMenuItemCount(menu); ++i) {
        char entry[64] = "";
        GetMenuStringA(menu, i, entry, sizeof entry, MF_BYPOSITION);
        if (std::strncmp(entry, text, std::strlen(text)) == 0) {
            return GetSubMenu(menu, i);
        }
    }
    return nullptr;
}

bool Checked(HMENU menu, UINT id) { return (GetMenuState(menu, id, MF_BYCOMMAND) & MF_CHECKED) != 0; }

struct ViewWindows : SceneTest {
    HWND Main = nullptr, Dialog = nullptr;
    void SetUp() override
    {
        SceneTest::SetUp();
        InitCommonControls();
        Main = OpenMainWindow();
        Dialog = CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PARAMDIALOG), nullptr,
                                    ParamDlgProc, 0);
        ASSERT_TRUE(Main != nullptr && Dialog != nullptr);
    }
    void TearDown() override
    {
        DestroyWindow(Main), DestroyWindow(Dialog);
        PumpMessages(10);
        SceneTest::TearDown();
    }
    void Key(std::uintptr_t key) const { SendMessageA(Main, WM_KEYDOWN, key, 0); }
};

// Each view's key opens its window by its title and its tick, and closing
// the window is its key again; W shows the receiver, hiding the receiver
// closes the waterfall. The map's client columns are the scene's, also
// after the main window moved.
TEST_F(ViewWindows, KeysOpenAndCloseTheirWindows)
{
    const HMENU menu = GetSystemMenu(Main, FALSE);
    const struct {
        std::uintptr_t Key;
        View Shows;
        const char* Title;
        UINT Command;
    } views[] = {{KeyMap, View::Map, MapWindowTitle, 0x0140},
                 {KeyWaterfall, View::Waterfall, WaterfallWindowTitle, 0x0150},
                 {KeyStatistics, View::Statistics, StatisticsWindowTitle, 0x0170}};
    for (const auto& v : views) {
        Key(v.Key);
        EXPECT_TRUE(WindowText(ViewWindow(v.Shows)) == v.Title && Checked(menu, v.Command)) << v.Title;
        SendMessageA(ViewWindow(v.Shows), WM_CLOSE, 0, 0);
        EXPECT_TRUE(ViewWindow(v.Shows) == nullptr && !Checked(menu, v.Command)) << v.Title;
    }
    EXPECT_TRUE(ViewWindow(View::Chart) != nullptr && Viewer.ReceiverShown);  // W showed it
    Key(KeyWaterfall);
    Key(KeyReceiver);
    EXPECT_TRUE(ViewWindow(View::Chart) == nullptr && ViewWindow(View::Waterfall) == nullptr);

    Key(KeyMap);
    for (const POINT mainAt : {POINT{10, 10}, POINT{47, 23}}) {
        SetWindowPos(Main, nullptr, mainAt.x, mainAt.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        POINT mainOrigin{0, 0}, mapOrigin{0, 0};
        ClientToScreen(Main, &mainOrigin), ClientToScreen(ViewWindow(View::Map), &mapOrigin);
        RECT mainClient{}, mapClient{}, mainOuter{}, mapOuter{};
        GetClientRect(Main, &mainClient), GetClientRect(ViewWindow(View::Map), &mapClient);
        GetWindowRect(Main, &mainOuter), GetWindowRect(ViewWindow(View::Map), &mapOuter);
        EXPECT_TRUE(mapOrigin.x == mainOrigin.x && mapClient.right == mainClient.right &&
                    mapOuter.top == mainOuter.bottom && mapOuter.bottom <= GetSystemMetrics(SM_CYSCREEN))
            << mainAt.x << ": " << mapOrigin.x << " " << mainOrigin.x << " " << mapOuter.top << " " << mainOuter.bottom;
    }
}

// A scene by its key or its menu entry: the dialog's sliders at the scene's
// positions and texts (the values the scene stored left as they are), its
// name in the chart's status line, its bullet in the menu. The ionosphere by
// its menu entries and by I.
TEST_F(ViewWindows, ScenesMoveTheSlidersAndTheIonosphereFollowsItsMenu)
{
    const HMENU scenes = Submenu(Main, "Sc&enes"), ionosphere = Submenu(Main, "I&onosphere");
    ASSERT_TRUE(scenes != nullptr && ionosphere != nullptr);
    const HWND sliders[SliderCount] = {AltSlider, AmpSlider, FreqSlider, PhaseSlider};
    const int valueIds[SliderCount] = {IDC_ALTVALUE, IDC_AMPVALUE, IDC_FREQVALUE, IDC_PHASEVALUE};
    for (int scene : {1, 3, 0, 4, 2}) {
        if (scene % 2 == 0) {
            Key(KeyFirstScene + scene);
        } else {
            SendMessageA(Main, WM_COMMAND, GetMenuItemID(scenes, scene), 0);
        }
        const SceneState layer = SceneLayer(scene);
        EXPECT_TRUE(Scene.Altitude == layer.Altitude && Scene.WaveNumber == layer.WaveNumber) << scene;
        for (int s = 0; s < SliderCount; ++s) {
            const SliderSetting want = SceneSlider(scene, static_cast<Slider>(s));
            char text[32] = "";
            GetDlgItemTextA(Dialog, valueIds[s], text, sizeof text);
            EXPECT_TRUE(SendMessageA(sliders[s], TBM_GETPOS, 0, 0) == want.Position && std::strcmp(text, want.Text) == 0)
                << SceneName(scene) << " slider " << s << ": " << text;
        }
        EXPECT_TRUE(ViewWindow(View::Chart) != nullptr && Checked(scenes, GetMenuItemID(scenes, scene)) &&
                    StatusText().find(SceneName(scene)) != std::string::npos)
            << StatusText();
    }
    for (int kind : {2, 0, 3, 1}) {
        SendMessageA(Main, WM_COMMAND, GetMenuItemID(ionosphere, kind), 0);
        EXPECT_TRUE(Viewer.Rough.Kind == static_cast<Ionosphere>(kind) && Checked(ionosphere, GetMenuItemID(ionosphere, kind)) &&
                    !Checked(ionosphere, GetMenuItemID(ionosphere, (kind + 1) % IonosphereCount)) &&
                    StatusText().find(IonosphereName(Viewer.Rough.Kind)) != std::string::npos)
            << kind << " " << StatusText();
    }
    Key(KeyIonosphere);
    EXPECT_TRUE(Viewer.Rough.Kind == Ionosphere::Moderate && Checked(ionosphere, GetMenuItemID(ionosphere, 2)));
}

// ctest runs the SoundOut tests with a null device and with none. A plays
// through the device, its buffers coming back and refilled while the frames
// go on, or says in the chart's status line why it is silent; A again, and
// closing the program, give the device back.
TEST_F(ViewWindows, SoundKeyPlaysOrSaysWhyNot)
{
    const char* device = std::getenv("QSB_SOUND_DEVICE");
    if (device == nullptr) {
        GTEST_SKIP() << "ctest runs this with a HOME of its own and QSB_SOUND_DEVICE";
    }
    const bool null = std::strcmp(device, "null") == 0;
    Key(KeySound);
    EXPECT_TRUE(Viewer.SoundOn && ViewWindow(View::Chart) != nullptr);
    EXPECT_TRUE(SoundOut.State == (null ? SoundState::Playing : SoundState::Silent));
    const std::string status = StatusText();
    EXPECT_EQ(status.substr(status.size() - std::strlen(SoundStatusText())), SoundStatusText());
    const long long done = SoundOut.BuffersDone;
    for (int frame = 0; frame < 5; ++frame) {
        InvalidateRect(Main, nullptr, TRUE), UpdateWindow(Main);
        PumpMessages(100);
    }
    EXPECT_EQ(SoundOut.BuffersDone > done, null);
    Key(KeySound);
    EXPECT_TRUE(SoundOut.State == SoundState::Off && StatusText().find("sound") == std::string::npos);
    Key(KeySound);
    DestroyWindow(Main);
    EXPECT_EQ(SoundOut.State, SoundState::Off);
}

}  // namespace
