// The main window: paints a frame per WM_PAINT, owns the pens' lifetime,
// answers the keys and the mouse buttons, and carries the viewer's entries
// (receiver, pause, step, help, saving) in its system menu.
#pragma once

#include <windows.h>

constexpr const char* MainWindowClassName = "MainWindowClass";
constexpr const char* MainWindowTitle = "QSB effect of the ionosphere";

// Set by the entry point, never cleared.
extern HWND MainWnd;

LRESULT CALLBACK MainWndProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
