#include "win32/chart_window.h"

#include "controls/key_commands.h"
#include "win32/main_window.h"
#include "model/viewer_state.h"
#include "win32/gdi_surface.h"
#include "render/signal_chart.h"

HWND ChartWnd;

constexpr int ChartWidth = 1000, ChartHeight = 220;

// Drawn off screen and copied in one go: the whole chart changes every
// frame and would flicker otherwise. The buffer lives as long as the window
// (made afresh only when the client area's size changes): making a bitmap
// every frame costs about as much as drawing the chart.
static HDC BufferDc;
static HBITMAP Buffer;
static SIZE BufferSize;

static void DeleteBuffer()
{
    if (BufferDc != nullptr) {
        DeleteDC(BufferDc);
        DeleteObject(Buffer);
        BufferDc = nullptr;
    }
}

static void PaintChart(HWND window)
{
    PAINTSTRUCT paint;
    const HDC dc = BeginPaint(window, &paint);
    RECT client;
    GetClientRect(window, &client);
    if (BufferDc == nullptr || BufferSize.cx != client.right || BufferSize.cy != client.bottom) {
        DeleteBuffer();
        BufferDc = CreateCompatibleDC(dc);
        Buffer = CreateCompatibleBitmap(dc, client.right, client.bottom);
        SelectObject(BufferDc, Buffer);  // the DC's own bitmap goes with the DC
        BufferSize = SIZE{client.right, client.bottom};
    }
    DrawSignalChart(GdiSurface(BufferDc), client.right, client.bottom);
    BitBlt(dc, 0, 0, client.right, client.bottom, BufferDc, 0, 0, SRCCOPY);
    EndPaint(window, &paint);
}

static LRESULT CALLBACK ChartWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PAINT: PaintChart(window); return 0;
    case WM_ERASEBKGND: return 1;  // the paint covers the whole client area
    case WM_KEYDOWN: SendMessageA(MainWnd, WM_KEYDOWN, wParam, lParam); return 0;
    case WM_CLOSE: SendMessageA(MainWnd, WM_KEYDOWN, KeyReceiver, 0); return 0;  // hides the receiver, as R does
    case WM_DESTROY:
        DeleteBuffer();
        ChartWnd = nullptr;
        return 0;
    }
    return DefWindowProcA(window, message, wParam, lParam);
}

static void OpenChartWindow()
{
    static ATOM registered = 0;
    if (registered == 0) {
        WNDCLASSEXA windowClass{};
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = ChartWndProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.hIcon = reinterpret_cast<HICON>(GetClassLongPtrA(MainWnd, GCLP_HICON));
        windowClass.hCursor = LoadCursorA(nullptr, MAKEINTRESOURCEA(32512));  // IDC_ARROW
        windowClass.lpszClassName = ChartWindowClassName;
        registered = RegisterClassExA(&windowClass);
    }
    RECT main{}, work{};
    GetWindowRect(MainWnd, &main);
    SystemParametersInfoA(SPI_GETWORKAREA, 0, &work, 0);
    const int top = main.bottom + ChartHeight <= work.bottom ? main.bottom : work.bottom - ChartHeight;
    ChartWnd = CreateWindowExA(0, ChartWindowClassName, ChartWindowTitle, WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU,
                               main.left, top > work.top ? top : work.top, ChartWidth, ChartHeight, MainWnd, nullptr,
                               GetModuleHandleA(nullptr), nullptr);
    ShowWindow(ChartWnd, SW_SHOWNOACTIVATE);  // the keys stay with the main window
}

void CloseChartWindow()
{
    if (ChartWnd != nullptr) {
        DestroyWindow(ChartWnd);
    }
}

void SyncChartWindow()
{
    if (Viewer.ReceiverShown && ChartWnd == nullptr) {
        OpenChartWindow();
    } else if (!Viewer.ReceiverShown) {
        CloseChartWindow();
    }
}

void RefreshChartWindow()
{
    if (ChartWnd != nullptr) {
        InvalidateRect(ChartWnd, nullptr, FALSE);
        UpdateWindow(ChartWnd);
    }
}
