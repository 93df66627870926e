#include "win32/main_window.h"

#include <windowsx.h>

#include "win32/chart_window.h"
#include "controls/key_commands.h"
#include "model/viewer_state.h"
#include "win32/drawing_resources.h"
#include "win32/paint_frame.h"
#include "win32/save_entries.h"
#include "win32/sound_out.h"

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
                                     {0x0110, KeyPause, "&Pause the drift\tSpace"},
                                     {0x0120, KeyStep, "&Step the drift\t."},
                                     {0x0130, KeyHelp, "&Keys and mouse...\tF1"},
                                     {SaveSignalCommand, 0, "Save si&gnal...", SaveSignalAs},
                                     {0x0210, 0, "Save p&icture...", SavePictureAs}};

static void AddMenuEntries(HWND window)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    AppendMenuA(menu, MF_SEPARATOR, 0, nullptr);
    for (const MenuEntry& entry : MenuEntries) {
        AppendMenuA(menu, MF_STRING, entry.Command, entry.Text);
    }
}

// Ticks for what is on, and a step only while paused.
static void UpdateMenuEntries(HWND window)
{
    const HMENU menu = GetSystemMenu(window, FALSE);
    CheckMenuItem(menu, MenuEntries[0].Command, Viewer.ReceiverShown ? MF_CHECKED : MF_UNCHECKED);
    CheckMenuItem(menu, MenuEntries[1].Command, Viewer.Paused ? MF_CHECKED : MF_UNCHECKED);
    EnableMenuItem(menu, MenuEntries[2].Command, Viewer.Paused ? MF_ENABLED : MF_GRAYED);
    EnableMenuItem(menu, SaveSignalCommand, Viewer.ReceiverShown ? MF_ENABLED : MF_GRAYED);  // no signal kept
}

// A key only changes Scene or Viewer: the next timer tick shows it. Q ends
// the process at once, without WM_DESTROY.
static void OnKey(HWND window, WPARAM key)
{
    switch (ApplyKey(key)) {
    case KeyAction::Quit: ExitProcess(0);
    case KeyAction::ReceiverToggled:
    case KeyAction::WaterfallToggled:  // these two may show the receiver
    case KeyAction::SoundToggled: SyncChartWindow(); break;
    case KeyAction::MapToggled: break;  // the map's window is still to come
    case KeyAction::Help: MessageBoxA(window, KeyHelpText, "Keys and mouse", MB_OK | MB_ICONINFORMATION); break;
    case KeyAction::None: break;
    }
    UpdateMenuEntries(window);
}

static bool OnMenuCommand(HWND window, WPARAM command)
{
    for (const MenuEntry& entry : MenuEntries) {
        if ((command & 0xFFF0) == entry.Command) {
            if (entry.Act != nullptr) {
                entry.Act(window);
            } else {
                OnKey(window, entry.Key);
            }
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
        CloseChartWindow();
        DeleteDrawingResources();
        PostQuitMessage(0);
        return 0;
    case WM_MOVE:
    case WM_SIZE: return 0;
    case WM_PAINT:
        PaintFrame(window);
        RefreshChartWindow();
        return 0;
    case WM_KEYDOWN: OnKey(window, wParam); return 0;
    case WM_LBUTTONDOWN: ExitProcess(0);
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
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
