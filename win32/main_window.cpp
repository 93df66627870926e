#include "win32/main_window.h"

#include <windowsx.h>

#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "model/viewer_state.h"
#include "win32/drawing_resources.h"
#include "win32/paint_frame.h"
#include "win32/param_dialog.h"
#include "win32/receiver_sound.h"
#include "win32/save_entries.h"
#include "win32/sound_out.h"
#include "win32/view_windows.h"

HWND MainWnd;

// The system menu's entries for what the keys do, and for what no key does
// (Act). WM_SYSCOMMAND keeps the low four bits of its command for the
// system, so ours are multiples of 16.
struct MenuEntry {
    UINT Command;
    std::uintptr_t Key;
    const char* Text;
    void (*Act)(HWND window) = nullptr;
};
constexpr UINT SaveSignalCommand = 0x0200;
constexpr MenuEntry MenuEntries[] = {{0x0100, KeyReceiver, "&Receiver and signal chart\tR"},
                                     {0x0140, KeyMap, "Ground m&ap\tM"},
                                     {0x0150, KeyWaterfall, "&Waterfall\tW"},
                                     {0x0160, KeySound, "So&und\tA"},
                                     {0x0170, KeyStatistics, "&Fading statistics\tS"},
                                     {0x0110, KeyPause, "&Pause the drift\tSpace"},
                                     {0x0120, KeyStep, "&Step the drift\t."},
                                     {0x0130, KeyHelp, "&Keys and mouse...\tF1"},
                                     {SaveSignalCommand, 0, "Save si&gnal...", SaveSignalAs},
                                     {0x0210, 0, "Save p&icture...", SavePictureAs}};
// Where each switch's tick comes from, by the entries above.
static const unsigned char* const MenuTicks[] = {&Viewer.ReceiverShown, &Viewer.MapShown,        &Viewer.WaterfallShown,
                                                 &Viewer.SoundOn,       &Viewer.StatisticsShown, &Viewer.Paused};
constexpr UINT StepCommand = 0x0120;

// Two submenus of radio entries: the scenes (their keys 1 to 5) and the
// ionosphere's settings (I steps through them).
constexpr UINT FirstSceneCommand = 0x0300, FirstIonosphereCommand = 0x0400;
constexpr UINT SubmenuCommand(UINT first, int index) { return first + 16 * static_cast<UINT>(index); }

static void AppendSubmenus(HMENU menu)
{
    const HMENU scenes = CreatePopupMenu();
    for (int i = 0; i < SceneCount; ++i) {
        char text[48];
        wsprintfA(text, "&%d %s\t%d", i + 1, SceneName(i), i + 1);
        AppendMenuA(scenes, MF_STRING, SubmenuCommand(FirstSceneCommand, i), text);
    }
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(scenes), "Sc&enes");
    const HMENU ionosphere = CreatePopupMenu();
    for (int i = 0; i < IonosphereCount; ++i) {
        char text[32];
        wsprintfA(text, "%s", IonosphereName(static_cast<Ionosphere>(i)));
        text[0] = static_cast<char>(text[0] - ('a' <= text[0] && text[0] <= 'z' ? 'a' - 'A' : 0));
        AppendMenuA(ionosphere, MF_STRING, SubmenuCommand(FirstIonosphereCommand, i), text);
    }
    AppendMenuA(menu, MF_POPUP, reinterpret_cast<UINT_PTR>(ionosphere), "I&onosphere (I: the next)");
}

static void AddMenuEntries(HWND window)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const MenuEntry& entry : MenuEntries) {
        AppendMenuA(menu, MF_STRING, entry.Command, entry.Text);
        if (entry.Key == KeyStatistics) {
            AppendSubmenus(menu);
        }
    }
}

// A radio group's bullet on its chosen entry, or on none.
static void CheckRadio(HMENU menu, UINT first, int count, int chosen)
{
    for (int i = 0; i < count; ++i) {
        CheckMenuItem(menu, SubmenuCommand(first, i), MF_BYCOMMAND | MF_UNCHECKED);
    }
    if (chosen >= 0 && chosen < count) {
        CheckMenuRadioItem(menu, first, SubmenuCommand(first, count - 1), SubmenuCommand(first, chosen), MF_BYCOMMAND);
    }
}

// Ticks for what is on, a bullet on the scene and the ionosphere, and a
// step only while paused.
static void UpdateMenuEntries(HWND window)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    for (int i = 0; i < static_cast<int>(sizeof MenuTicks / sizeof MenuTicks[0]); ++i) {
        CheckMenuItem(menu, MenuEntries[i].Command, *MenuTicks[i] ? MF_CHECKED : MF_UNCHECKED);
    }
    CheckRadio(menu, FirstSceneCommand, SceneCount, Viewer.ChosenScene);
    CheckRadio(menu, FirstIonosphereCommand, IonosphereCount, static_cast<int>(Viewer.Rough.Kind));
    EnableMenuItem(menu, StepCommand, Viewer.Paused ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, SaveSignalCommand, Viewer.ReceiverShown ? MF_ENABLED : MF_GRAYED);  // no signal kept
}

// After any key or entry: the views' windows, the sound and the menu as
// Viewer now says; a scene's positions and texts on the dialog's sliders.
static void ShowViewerState(HWND window, KeyAction action)
{
    if (action == KeyAction::SceneChosen) {
        ShowSceneSliders(Viewer.ChosenScene);
    }
    SyncViewWindows();
    SyncSound();
    UpdateMenuEntries(window);
}

// Q and the left click end the process at once, without WM_DESTROY; the
// sound device is given back first, so that it stops cleanly.
[[noreturn]] static void QuitNow()
{
    CloseSoundOut();
    ExitProcess(0);
}

// A key only changes Scene or Viewer: the next timer tick shows it.
static void OnKey(HWND window, WPARAM key)
{
    const KeyAction action = ApplyKey(key);
    switch (action) {
    case KeyAction::Quit: QuitNow();
    case KeyAction::Help: MessageBoxA(window, KeyHelpText, "Keys and mouse", MB_OK | MB_ICONINFORMATION); break;
    default: break;  // the rest are brought in line below
    }
    ShowViewerState(window, action);
}

static bool OnMenuCommand(HWND window, WPARAM wParam)
{
    const UINT command = static_cast<UINT>(wParam & 0xFFF0);
    for (const MenuEntry& entry : MenuEntries) {
        if (command == entry.Command) {
            if (entry.Act != nullptr) {
                entry.Act(window);
            } else {
                OnKey(window, entry.Key);
            }
            return true;
        }
    }
    for (int i = 0; i < SceneCount; ++i) {
        if (command == SubmenuCommand(FirstSceneCommand, i)) {
            OnKey(window, KeyFirstScene + i);
            return true;
        }
    }
    for (int i = 0; i < IonosphereCount; ++i) {
        if (command == SubmenuCommand(FirstIonosphereCommand, i)) {
            SetIonosphere(static_cast<Ionosphere>(i), Viewer.Rough.Seed);
            ShowViewerState(window, KeyAction::IonosphereChanged);
            return true;
        }
    }
    return false;
}

// A left click ends the process at once; a right click puts the receiver,
// while it is shown, on the ground under the pointer.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE:
        CreateDrawingResources();
        AddMenuEntries(window);
        UpdateMenuEntries(window);
        return 0;
    case WM_DESTROY:
        CloseSoundOut();
        CloseViewWindows();
        DeleteDrawingResources();
        PostQuitMessage(0);
        return 0;
    case WM_MOVE:
    case WM_SIZE: AlignMapWindow(); return 0;  // the map keeps the scene's columns
    case WM_ERASEBKGND: return 1;              // the frame covers the client area: no erase, no flicker
    case WM_PAINT:
        PaintFrame(window);
        FeedSoundLevel();
        RefreshViewWindows();
        return 0;
    case WM_KEYDOWN: OnKey(window, wParam); return 0;
    case WM_LBUTTONDOWN: QuitNow();
    case WM_RBUTTONDOWN:
        if (Viewer.ReceiverShown) {
            PlaceReceiver(ReceiverXAtColumn(GET_X_LPARAM(lParam)));
        }
        return 0;
    case WM_SYSCOMMAND:
        if (OnMenuCommand(window, wParam)) {
            return 0;
        }
        break;
    // The system menu's submenus are popups of their own: Wine sends their
    // entries as WM_COMMAND, Windows as WM_SYSCOMMAND.
    case WM_COMMAND: OnMenuCommand(window, LOWORD(wParam)); return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
