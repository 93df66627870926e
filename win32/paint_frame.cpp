#include "win32/paint_frame.h"

#include "render/frame_painter.h"
#include "win32/gdi_surface.h"

// No off-screen buffer: the frame is drawn where the user sees it. The
// painter ends by selecting the stock black pen.
void PaintFrame(HWND window)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    DrawFrame(GdiSurface(dc), client.right, client.bottom);
    EndPaint(window, &paint);
}
