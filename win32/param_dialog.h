// The modeless "Parameter Controls" dialog: four vertical trackbars whose
// positions go straight into Scene, each with its value text underneath.
#pragma once

#include <windows.h>

// Set by WM_INITDIALOG, never cleared.
extern HWND AltSlider;
extern HWND AmpSlider;
extern HWND FreqSlider;
extern HWND PhaseSlider;

// Moves the sliders to a scene's positions and shows its texts (nothing
// while the dialog does not exist); Scene already holds its values.
void ShowSceneSliders(int scene);

INT_PTR CALLBACK ParamDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
