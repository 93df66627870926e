// Entry point: the main window, the parameter dialog, the redraw timer and
// the one message loop. Every exit, failure or not, returns 0.
#include <windows.h>

#include <commctrl.h>

#include "win32/main_window.h"
#include "win32/param_dialog.h"
#include "win32/resources/resource_ids.h"

HWND ParamDialogWnd;

constexpr UINT_PTR RedrawTimerId = 4004;
constexpr UINT RedrawPeriodMs = 100;

// Forces the frame out now, inside the tick, instead of waiting for the
// low-priority WM_PAINT. No erase: the frame fills its whole client area.
static void CALLBACK RedrawTimerProc(HWND window, UINT, UINT_PTR, DWORD)
{
    InvalidateRect(window, nullptr, FALSE);
    UpdateWindow(window);
}

static void ReportFailure(const char* text, const char* title) { MessageBoxA(nullptr, text, title, MB_ICONERROR); }

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    // A DC of its own keeps the font chosen once: under Wine a fresh DC at
    // every paint chose its font again, and each choice reads X's resources.
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = instance;
    windowClass.hIcon = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPICON));
    windowClass.hIconSm = LoadIconA(instance, MAKEINTRESOURCEA(IDI_APPICON));
    windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
    windowClass.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    windowClass.lpszClassName = MainWindowClassName;
    if (RegisterClassExA(&windowClass) == 0) {
        ReportFailure("Failed To Register Window Class", "Error");
        return 0;
    }

    InitCommonControls();

    MainWnd = CreateWindowExA(WS_EX_CLIENTEDGE, MainWindowClassName, MainWindowTitle, WS_OVERLAPPEDWINDOW, 10, 10, 1000,
                              550, nullptr, nullptr, instance, nullptr);
    if (MainWnd == nullptr) {
        ReportFailure("Window Creation Failed", "Error");
        return 0;
    }

    ParamDialogWnd = CreateDialogParamA(instance, MAKEINTRESOURCEA(IDD_PARAMDIALOG), nullptr, ParamDlgProc, 0);
    if (ParamDialogWnd == nullptr) {
        ReportFailure("Dialog Problem", "Can't find AltSlider");
        return 0;
    }

    ShowWindow(MainWnd, SW_SHOW);
    ShowWindow(ParamDialogWnd, SW_SHOW);
    UpdateWindow(MainWnd);
    SetTimer(MainWnd, RedrawTimerId, RedrawPeriodMs, RedrawTimerProc);

    // The dialog sees every message first: Tab and the arrow keys drive its
    // sliders. Everything else, the timer's messages included, is dispatched.
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) != 0) {
        if (IsDialogMessageA(ParamDialogWnd, &message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageA(&message);
    }
    return static_cast<int>(message.wParam);
}
