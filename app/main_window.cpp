#include "app/main_window.h"

#include "app/key_commands.h"
#include "render/drawing_resources.h"
#include "render/paint_frame.h"

// A key only changes Scene: the next timer tick shows it. Q and a left click
// end the process at once, without WM_DESTROY.
LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_CREATE: CreateDrawingResources(); return 0;
    case WM_DESTROY:
        DeleteDrawingResources();
        PostQuitMessage(0);
        return 0;
    case WM_MOVE:
    case WM_SIZE: return 0;
    case WM_PAINT: PaintFrame(window); return 0;
    case WM_KEYDOWN:
        if (ApplyKey(wParam) == KeyAction::Quit) {
            ExitProcess(0);
        }
        return 0;
    case WM_LBUTTONDOWN: ExitProcess(0);
    case WM_RBUTTONDOWN: return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}
