// The views' windows under Wine: where a new one goes on the screens the
// program must serve, the scenes moving the dialog's sliders, the
// ionosphere's menu, the map following the main window, and the sound key.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "tests/scene_fixture.h"
#include "win32/param_dialog.h"
#include "win32/resources/resource_ids.h"
#include "win32/tests/main_window_fixture.h"
#include "win32/view_windows.h"
#include "win32/window_layout.h"

namespace {

// The chart, the waterfall and the statistics opened after the main window,
// the dialog and the map on both screens: each on a free place exactly when
// a search of every pixel finds one, and inside the screen always.
TEST(WindowLayout, FreePlacesFirstAndNothingOffScreen)
{
    for (const ScreenBox& work : {ScreenBox{0, 0, 1280, 800}, ScreenBox{0, 0, 1920, 1080}}) {
        std::vector<TakenBox> taken{{{10, 10, 1010, 560}, 2}, {{1003, 0, 1277, 174}, 3}, {{13, 560, 1007, 900}, 1}};
        for (const SIZE view : {SIZE{1006, 221}, SIZE{1006, 383}, SIZE{646, 365}}) {
            const int count = static_cast<int>(taken.size());
            const ScreenBox box = PlaceWindow(work, taken.data(), count, view.cx, view.cx, view.cy);
            bool free = false;
            for (int top = 0; top + view.cy <= work.Bottom && !free; ++top) {
                for (int left = 0; left + view.cx <= work.Right && !free; ++left) {
                    free = IsFreePlace(work, taken.data(), count, ScreenBox{left, top, left + view.cx, top + view.cy});
                }
            }
            EXPECT_TRUE(box.Left >= 0 && box.Top >= 0 && box.Right <= work.Right && box.Bottom <= work.Bottom &&
                        IsFreePlace(work, taken.data(), count, box) == free)
                << work.Right << " " << count;
            taken.push_back({box, 1});
        }
    }
}

struct ViewWindows : SceneTest {
    HWND Main = nullptr, Dialog = nullptr;
    void SetUp() override
    {
        SceneTest::SetUp();
        InitCommonControls();
        Main = OpenMainWindow();
        Dialog = CreateDialogParamA(nullptr, MAKEINTRESOURCEA(IDD_PARAMDIALOG), nullptr, ParamDlgProc, 0);
        ASSERT_TRUE(Main != nullptr && Dialog != nullptr);
    }
    void TearDown() override { DestroyWindow(Main), DestroyWindow(Dialog), SceneTest::TearDown(); }
    std::string Status() const
    {
        char text[192];
        ChartStatusText(text, sizeof text);
        return text;
    }
};

// The system menu's submenu at that place from the end (Scenes, Ionosphere
// before pause, step, help and the two save entries).
HMENU Submenu(HWND window, int fromEnd)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    return GetSubMenu(menu, GetMenuItemCount(menu) - fromEnd);
}

bool Checked(HMENU menu, int position) { return (GetMenuState(menu, position, MF_BYPOSITION) & MF_CHECKED) != 0; }

// Every scene by its key or its menu entry: the sliders at its positions and
// texts, its name in the chart's status line, its bullet; the ionosphere by
// its menu; the map's client columns the main window's after a move.
TEST_F(ViewWindows, ScenesIonosphereAndTheMapFollowing)
{
    const HMENU scenes = Submenu(Main, 7), ionosphere = Submenu(Main, 6);
    const HWND sliders[SliderCount] = {AltSlider, AmpSlider, FreqSlider, PhaseSlider};
    const int texts[SliderCount] = {IDC_ALTVALUE, IDC_AMPVALUE, IDC_FREQVALUE, IDC_PHASEVALUE};
    for (int scene : {1, 3, 0, 4, 2}) {
        scene % 2 ? SendMessageA(Main, WM_COMMAND, GetMenuItemID(scenes, scene), 0)
                  : SendMessageA(Main, WM_KEYDOWN, KeyFirstScene + scene, 0);
        for (int s = 0; s < SliderCount; ++s) {
            const SliderSetting want = SceneSlider(scene, static_cast<Slider>(s));
            char text[32] = "";
            GetDlgItemTextA(Dialog, texts[s], text, sizeof text);
            EXPECT_TRUE(SendMessageA(sliders[s], TBM_GETPOS, 0, 0) == want.Position &&
                        std::strcmp(text, want.Text) == 0)
                << scene << " slider " << s << ": " << text;
        }
        EXPECT_TRUE(Scene.Altitude == SceneLayer(scene).Altitude && Checked(scenes, scene) &&
                    Status().find(SceneName(scene)) != std::string::npos);
    }
    for (int kind : {2, 0, 3, 1}) {
        SendMessageA(Main, WM_COMMAND, GetMenuItemID(ionosphere, kind), 0);
        EXPECT_TRUE(Viewer.Rough.Kind == Ionosphere(kind) && Checked(ionosphere, kind) &&
                    Status().find(IonosphereName(Ionosphere(kind))) != std::string::npos)
            << kind;
    }

    SendMessageA(Main, WM_KEYDOWN, KeyMap, 0);
    SetWindowPos(Main, nullptr, 47, 23, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    POINT main{0, 0}, map{0, 0};
    ClientToScreen(Main, &main), ClientToScreen(ViewWindow(View::Map), &map);
    EXPECT_TRUE(map.x == main.x && map.y > main.y + 500) << map.x << " " << main.x;
}

// ctest runs this with a null device and with none: A plays (the status
// line says "sound on" only while playing; what it plays is
// SoundOut.PlaysOrSaysWhyNot's), or says there why it is silent; A again
// closes the device.
TEST_F(ViewWindows, SoundKeyPlaysOrSaysWhyNot)
{
    const char* device = std::getenv("QSB_SOUND_DEVICE");
    if (device == nullptr) {
        GTEST_SKIP() << "ctest runs this with a HOME of its own and QSB_SOUND_DEVICE";
    }
    const bool null = std::strcmp(device, "null") == 0;
    SendMessageA(Main, WM_KEYDOWN, KeySound, 0);
    const std::string status = Status(), said = null ? "sound on" : "no sound device: silent";
    EXPECT_TRUE(ViewWindow(View::Chart) != nullptr && status.substr(status.size() - said.size()) == said) << status;
    SendMessageA(Main, WM_KEYDOWN, KeySound, 0);
    EXPECT_EQ(Status().find("sound"), std::string::npos);  // said only while not Off
}

}  // namespace
