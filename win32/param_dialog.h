// The modeless "Parameter Controls" dialog: four vertical trackbars whose
// positions go straight into Scene, each with its value text underneath.
#pragma once

#include <windows.h>

// Set by WM_INITDIALOG, never cleared.
extern HWND AltSlider;
extern HWND AmpSlider;
extern HWND FreqSlider;
extern HWND PhaseSlider;

INT_PTR CALLBACK ParamDlgProc(HWND dialog, UINT message, WPARAM wParam, LPARAM lParam);
