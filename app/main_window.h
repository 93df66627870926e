// The main window: paints a frame per WM_PAINT, owns the pens' lifetime,
// and answers T, N, Q and the mouse buttons.
#pragma once

#include <windows.h>

constexpr const char* MainWindowClassName = "MainWindowClass";
constexpr const char* MainWindowTitle = "QSB effect of the ionosphere";

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
