// The views beside the scene, each in a window of its own, open exactly
// while Viewer shows it: the receiver's chart "Signal at receiver" with a
// status line under it, the "Ground map" right under the main window with
// the scene's own columns, the "Waterfall" and the "Fading statistics".
// Their keys act as in the main window, and closing one is its view's key.
#pragma once

#include <windows.h>

enum class View { Chart, Map, Waterfall, Statistics };
constexpr int ViewCount = 4;

constexpr const char* ViewWindowClassName = "QsbViewWindowClass";
constexpr const char* ChartWindowTitle = "Signal at receiver";
constexpr const char* MapWindowTitle = "Ground map";
constexpr const char* WaterfallWindowTitle = "Waterfall";
constexpr const char* StatisticsWindowTitle = "Fading statistics";

// The status line's height under the chart, while it has something to say.
constexpr int ChartStatusHeight = 18;

// The view's window while it is open, otherwise null.
HWND ViewWindow(View view);

// Opens the windows of the views shown and closes the others. A new window
// goes where it covers no other window of the program, if the screen has
// such a place; the map under the main window, aligned with it.
void SyncViewWindows();
void CloseViewWindows();

// Paints every open view now, after a frame of the main window.
void RefreshViewWindows();

// Puts the map's client area back under the main window's, column for
// column, after the main window moved or changed its size.
void AlignMapWindow();

// What the chart's status line says: the scene chosen last, the ionosphere,
// and the sound's state (why it is silent, if it is); nothing (and no line)
// while no scene was chosen, the ionosphere is smooth and the sound off.
void ChartStatusText(char* text, int size);
