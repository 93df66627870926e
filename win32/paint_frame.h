// WM_PAINT of the main window: one frame straight into the paint context.
#pragma once

#include <windows.h>

void PaintFrame(HWND window);
