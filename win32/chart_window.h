// "Signal at receiver": the receiver's strip chart in a window of its own,
// open exactly while the receiver is shown. Its keys act as in the main
// window, and closing it hides the receiver.
#pragma once

#include <windows.h>

constexpr const char* ChartWindowClassName = "ChartWindowClass";
constexpr const char* ChartWindowTitle = "Signal at receiver";

// The chart's window while it is open, otherwise null.
extern HWND ChartWnd;

// Opens the chart below the main window (where the screen has room) when
// the receiver is shown, and closes it when it is not.
void SyncChartWindow();
void CloseChartWindow();

// Paints the chart now, after a frame of the main window.
void RefreshChartWindow();
