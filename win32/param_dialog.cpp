#include "win32/param_dialog.h"

#include <commctrl.h>

#include "controls/scenes.h"
#include "controls/slider_mappings.h"
#include "win32/resources/resource_ids.h"

HWND AltSlider;
HWND AmpSlider;
HWND FreqSlider;
HWND PhaseSlider;

// Indexed like Slider: the trackbar, its handle and the text under it.
static HWND* const SliderHandles[SliderCount] = {&AltSlider, &AmpSlider, &FreqSlider, &PhaseSlider};
static const int SliderIds[SliderCount] = {IDC_ALTSLIDER, IDC_AMPSLIDER, IDC_FREQSLIDER, IDC_PHASESLIDER};
static const int ValueIds[SliderCount] = {IDC_ALTVALUE, IDC_AMPVALUE, IDC_FREQVALUE, IDC_PHASEVALUE};

static void ShowValue(HWND dialog, Slider slider, double value)
{
    char text[64];
    FormatSliderValue(slider, value, text, sizeof text);
    SetDlgItemTextA(dialog, ValueIds[static_cast<int>(slider)], text);
}

// Ranges before positions, so that no start position is clamped to a
// trackbar's default range. Each half of the range travels as a signed
// 16-bit number (the phase minimum -40 as 0xFFD8).
static void InitSliders(HWND dialog)
{
    for (int i = 0; i < SliderCount; ++i) {
        *SliderHandles[i] = GetDlgItem(dialog, SliderIds[i]);
    }
    for (int i = 0; i < SliderCount; ++i) {
        SendMessageA(*SliderHandles[i], TBM_SETRANGE, FALSE, MAKELPARAM(SliderLayouts[i].Min, SliderLayouts[i].Max));
    }
    for (int i = 0; i < SliderCount; ++i) {
        SendMessageA(*SliderHandles[i], TBM_SETTICFREQ, SliderLayouts[i].TickFrequency, 0);
    }
    for (int i = 0; i < SliderCount; ++i) {
        const Slider slider = static_cast<Slider>(i);
        ShowValue(dialog, slider, StartDisplayValue(slider));
    }
    for (int i = 0; i < SliderCount; ++i) {
        SendMessageA(*SliderHandles[i], TBM_SETPOS, TRUE, SliderStartPosition(static_cast<Slider>(i)));
    }
}

// The notifying trackbar is the one named by lParam: the keyboard focus is
// not a reliable witness (a wheel over an inactive dialog moves a slider
// that does not hold it). The position is re-read, whatever the scroll code;
// the text is written before the field.
static void OnSliderMoved(HWND dialog, HWND control)
{
    if (control == nullptr) {
        return;
    }
    for (int i = 0; i < SliderCount; ++i) {
        if (control == *SliderHandles[i]) {
            const Slider slider = static_cast<Slider>(i);
            const int position = static_cast<int>(SendMessageA(control, TBM_GETPOS, 0, 0));
            ShowValue(dialog, slider, SliderDisplayValue(slider, position));
            StoreSliderValue(slider, position);
            return;
        }
    }
}

// TBM_SETPOS sends no WM_VSCROLL: the scene's values stay as ChooseScene
// stored them, not as a position reads back.
void ShowSceneSliders(int scene)
{
    const HWND dialog = AltSlider != nullptr ? GetParent(AltSlider) : nullptr;
    if (dialog == nullptr) {
        return;
    }
    for (int i = 0; i < SliderCount; ++i) {
        const SliderSetting setting = SceneSlider(scene, static_cast<Slider>(i));
        SetDlgItemTextA(dialog, ValueIds[i], setting.Text);
        SendMessageA(*SliderHandles[i], TBM_SETPOS, TRUE, setting.Position);
    }
}

// TRUE from WM_INITDIALOG puts the focus on the first tab stop, AltSlider;
// FALSE everywhere else leaves every other message to the dialog manager.
INT_PTR CALLBACK ParamDlgProc(HWND dialog, UINT message, WPARAM, LPARAM lParam)
{
    switch (message) {
    case WM_INITDIALOG: InitSliders(dialog); return TRUE;
    case WM_VSCROLL: OnSliderMoved(dialog, reinterpret_cast<HWND>(lParam)); return FALSE;
    }
    return FALSE;
}
