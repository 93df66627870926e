// The application's Windows side, under Wine: the resources as linked into
// the program, the dialog built from the real template, its notifications,
// and the main window's messages.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>

#include <cstdint>
#include <string>

#include "app/main_window.h"
#include "app/param_dialog.h"
#include "model/scene_state.h"
#include "render/drawing_resources.h"
#include "resources/resource_ids.h"
#include "tests/scene_fixture.h"

namespace {

// ---- The dialog template, byte by byte ----------------------------------

struct TemplateReader {
    const uint8_t* At;
    uint16_t Word()
    {
        const uint16_t v = At[0] | At[1] << 8;
        At += 2;
        return v;
    }
    uint32_t Dword()
    {
        const uint32_t v = Word();
        return v | static_cast<uint32_t>(Word()) << 16;
    }
    std::string Text()  // a UTF-16 string of ASCII characters
    {
        std::string s;
        while (uint16_t c = Word()) {
            s += static_cast<char>(c);
        }
        return s;
    }
    // A class or menu: nothing, an ordinal (returned as "#n"), or a name.
    std::string NameOrOrdinal()
    {
        const uint16_t first = At[0] | At[1] << 8;
        if (first == 0xFFFF) {
            Word();
            return "#" + std::to_string(Word());
        }
        return Text();
    }
    void AlignToDword(const uint8_t* base)
    {
        while ((At - base) % 4)
            ++At;
    }
};

struct ExpectedControl {
    int32_t Id;
    const char* Class;
    const char* Text;
    int16_t X, Y, Cx, Cy;
    uint32_t Style;
};

constexpr uint32_t TextStyle = 0x50020000, SliderStyle = 0x50010003;
const ExpectedControl Controls[12] = {
    {-1, "#130", "Altitude", 5, 2, 25, 8, TextStyle},
    {-1, "#130", "Amplitude", 40, 2, 34, 8, TextStyle},
    {-1, "#130", "Frequency", 84, 2, 32, 10, TextStyle},
    {-1, "#130", "Phase", 125, 2, 21, 10, TextStyle},
    {6005, "#130", "Static", 5, 68, 22, 14, TextStyle},
    {6006, "#130", "Static", 40, 68, 20, 14, TextStyle},
    {6007, "#130", "Static", 84, 68, 20, 14, TextStyle},
    {6008, "#130", "Static", 125, 68, 20, 14, TextStyle},
    {6001, "MSCTLS_TRACKBAR32", "Altitude", 5, 15, 20, 50, SliderStyle},
    {6002, "MSCTLS_TRACKBAR32", "Amplitude", 40, 15, 20, 50, SliderStyle},
    {6003, "MSCTLS_TRACKBAR32", "Frequency", 84, 15, 20, 50, SliderStyle},
    {6004, "MSCTLS_TRACKBAR32", "Phase", 125, 15, 20, 50, SliderStyle},
};

const uint8_t* LoadOwnResource(const char* type, int id, WORD language, DWORD* size = nullptr)
{
    HRSRC found = FindResourceExA(nullptr, type, MAKEINTRESOURCEA(id), language);
    if (found == nullptr) {
        return nullptr;
    }
    if (size != nullptr) {
        *size = SizeofResource(nullptr, found);
    }
    return static_cast<const uint8_t*>(LockResource(LoadResource(nullptr, found)));
}

TEST(Resources, DialogTemplateBytes)
{
    const uint8_t* base = LoadOwnResource(RT_DIALOG, IDD_PARAMDIALOG, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL));
    ASSERT_NE(base, nullptr) << "template 6000 in the neutral language";
    TemplateReader r{base};
    EXPECT_EQ(r.Word(), 1);       // DIALOGEX version
    EXPECT_EQ(r.Word(), 0xFFFF);  // signature
    EXPECT_EQ(r.Dword(), 0u);     // help id
    EXPECT_EQ(r.Dword(), 0u);     // extended style
    EXPECT_EQ(r.Dword(), 0x80C000C0u);
    ASSERT_EQ(r.Word(), 12);
    EXPECT_EQ(r.Word(), 625);
    EXPECT_EQ(r.Word(), 0);
    EXPECT_EQ(r.Word(), 153);
    EXPECT_EQ(r.Word(), 85);
    EXPECT_EQ(r.NameOrOrdinal(), "");  // no menu
    EXPECT_EQ(r.NameOrOrdinal(), "");  // the default dialog class
    EXPECT_EQ(r.Text(), "Parameter Controls");
    EXPECT_EQ(r.Word(), 9);  // points
    EXPECT_EQ(r.Word(), 0);  // default weight
    EXPECT_EQ(*r.At++, 0);   // upright
    EXPECT_EQ(*r.At++, 1);   // DEFAULT_CHARSET
    EXPECT_EQ(r.Text(), "Segoe UI");

    for (const ExpectedControl& want : Controls) {
        r.AlignToDword(base);
        SCOPED_TRACE(want.Id);
        EXPECT_EQ(r.Dword(), 0u);  // help id
        EXPECT_EQ(r.Dword(), 0u);  // extended style
        EXPECT_EQ(r.Dword(), want.Style);
        EXPECT_EQ(static_cast<int16_t>(r.Word()), want.X);
        EXPECT_EQ(static_cast<int16_t>(r.Word()), want.Y);
        EXPECT_EQ(static_cast<int16_t>(r.Word()), want.Cx);
        EXPECT_EQ(static_cast<int16_t>(r.Word()), want.Cy);
        EXPECT_EQ(static_cast<int32_t>(r.Dword()), want.Id);
        EXPECT_EQ(r.NameOrOrdinal(), want.Class);
        EXPECT_EQ(r.NameOrOrdinal(), want.Text);
        EXPECT_EQ(r.Word(), 0);  // no creation data
    }
}

TEST(Resources, IconGroupOfNineSizesInUsEnglish)
{
    const uint8_t* group = LoadOwnResource(RT_GROUP_ICON, IDI_APPICON, MAKELANGID(LANG_ENGLISH, SUBLANG_ENGLISH_US));
    ASSERT_NE(group, nullptr);
    TemplateReader r{group};
    EXPECT_EQ(r.Word(), 0);
    EXPECT_EQ(r.Word(), 1);
    ASSERT_EQ(r.Word(), 9);
    const int sizes[] = {16, 24, 32, 48, 64, 72, 96, 128, 256};
    for (int i = 0; i < 9; ++i) {
        EXPECT_EQ(r.At[0], sizes[i] & 0xFF);
        r.At += 4;
        EXPECT_EQ(r.Word(), 1);   // planes
        EXPECT_EQ(r.Word(), 32);  // bits per pixel
        r.Dword();
        EXPECT_EQ(r.Word(), i + 1);  // image ids 1 to 9, in order

        HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPICON), IMAGE_ICON, sizes[i], sizes[i], 0));
        ASSERT_NE(icon, nullptr) << sizes[i];
        ICONINFO info;
        ASSERT_TRUE(GetIconInfo(icon, &info));
        BITMAP bitmap;
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_EQ(bitmap.bmWidth, sizes[i]);
        EXPECT_EQ(bitmap.bmHeight, sizes[i]);
        DeleteObject(info.hbmColor);
        DeleteObject(info.hbmMask);
        DestroyIcon(icon);
    }
}

TEST(Resources, ManifestAsksForCommonControlsSix)
{
    DWORD size = 0;
    const uint8_t* manifest = LoadOwnResource(RT_MANIFEST, 1, MAKELANGID(LANG_NEUTRAL, SUBLANG_NEUTRAL), &size);
    ASSERT_NE(manifest, nullptr);
    const std::string text(reinterpret_cast<const char*>(manifest), size);
    EXPECT_NE(text.find("Microsoft.Windows.Common-Controls"), std::string::npos);
    EXPECT_NE(text.find("version=\"6.0.0.0\""), std::string::npos);
}

// ---- The dialog, created from the real template --------------------------

std::string TextOf(HWND dialog, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

int Position(HWND slider) { return static_cast<int>(SendMessageA(slider, TBM_GETPOS, 0, 0)); }

class ParamDialog : public ::testing::Test {
protected:
    HWND Dialog = nullptr;

    void SetUp() override
    {
        Scene = StartSceneState();
        InitCommonControls();
        Dialog =
            CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PARAMDIALOG), nullptr, ParamDlgProc, 0);
        ASSERT_NE(Dialog, nullptr);
        ShowWindow(Dialog, SW_SHOW);
        Pump();
    }

    void TearDown() override
    {
        DestroyWindow(Dialog);
        Scene = StartSceneState();
    }

    // Runs the dialog's part of the program's message loop until it is idle.
    void Pump()
    {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (!IsDialogMessageA(Dialog, &message)) {
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
        }
    }

    // What a trackbar does when it moves: a new position, then WM_VSCROLL
    // to its parent with its own handle in lParam.
    void Move(HWND slider, int position)
    {
        SendMessageA(slider, TBM_SETPOS, TRUE, position);
        SendMessageA(Dialog, WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, position), reinterpret_cast<LPARAM>(slider));
    }
};

TEST_F(ParamDialog, InitialisationFromTheSceneState)
{
    ASSERT_EQ(AltSlider, GetDlgItem(Dialog, IDC_ALTSLIDER));
    ASSERT_EQ(AmpSlider, GetDlgItem(Dialog, IDC_AMPSLIDER));
    ASSERT_EQ(FreqSlider, GetDlgItem(Dialog, IDC_FREQSLIDER));
    ASSERT_EQ(PhaseSlider, GetDlgItem(Dialog, IDC_PHASESLIDER));
    struct Want {
        HWND slider;
        int min, max, position, ticks;
        int valueId;
        const char* text;
    };
    // Ticks: one per interval from the minimum, plus both ends.
    const Want wants[] = {
        {AltSlider, 100, 400, 104, 11, IDC_ALTVALUE, "395.7"},
        {AmpSlider, 0, 22, 10, 12, IDC_AMPVALUE, " 11.3"},
        {FreqSlider, 0, 120, 67, 13, IDC_FREQVALUE, " 0.52"},
        {PhaseSlider, -40, 150, 25, 11, IDC_PHASEVALUE, " 7.5"},
    };
    for (const Want& w : wants) {
        SCOPED_TRACE(w.valueId);
        EXPECT_EQ(SendMessageA(w.slider, TBM_GETRANGEMIN, 0, 0), w.min);  // -40 read back signed
        EXPECT_EQ(SendMessageA(w.slider, TBM_GETRANGEMAX, 0, 0), w.max);
        EXPECT_EQ(Position(w.slider), w.position);
        EXPECT_EQ(SendMessageA(w.slider, TBM_GETNUMTICS, 0, 0), w.ticks);
        EXPECT_EQ(TextOf(Dialog, w.valueId), w.text);
        EXPECT_EQ(GetWindowLongA(w.slider, GWL_STYLE) & 0xFFFF, TBS_VERT | TBS_AUTOTICKS);
    }
    EXPECT_EQ(GetFocus(), AltSlider);  // the first tab stop
}

TEST_F(ParamDialog, NotificationsStoreFieldsAndTexts)
{
    // Touched but not moved: each slider stores its current position's value.
    for (HWND slider : {AltSlider, AmpSlider, FreqSlider, PhaseSlider}) {
        SetFocus(slider);
        Move(slider, Position(slider));
    }
    EXPECT_EQ(Scene.Altitude, 396.0f);
    EXPECT_EQ(TextOf(Dialog, IDC_ALTVALUE), "396.0");
    EXPECT_EQ(Scene.Amplitude, 12.0f);
    EXPECT_EQ(TextOf(Dialog, IDC_AMPVALUE), " 12.0");
    EXPECT_EQ(Scene.WaveNumber, static_cast<float>(53 * 0.00017453293));
    EXPECT_EQ(TextOf(Dialog, IDC_FREQVALUE), " 0.53");
    EXPECT_EQ(Scene.PhaseStep, 7.5f);
    EXPECT_EQ(Scene.Frequency, 0.52f);

    // The extremes of every slider.
    Move(AltSlider, 100);
    EXPECT_EQ(TextOf(Dialog, IDC_ALTVALUE), "400.0");
    Move(AltSlider, 400);
    EXPECT_EQ(Scene.Altitude, 100.0f);
    Move(AmpSlider, 0);
    EXPECT_EQ(Scene.Amplitude, 22.0f);
    Move(AmpSlider, 22);
    EXPECT_EQ(TextOf(Dialog, IDC_AMPVALUE), "  0.0");
    Move(FreqSlider, 0);
    EXPECT_EQ(TextOf(Dialog, IDC_FREQVALUE), " 1.20");
    Move(FreqSlider, 120);
    EXPECT_EQ(Scene.WaveNumber, 0.0f);
    Move(PhaseSlider, -40);
    EXPECT_EQ(Scene.PhaseStep, 14.0f);
    Move(PhaseSlider, 150);
    EXPECT_EQ(TextOf(Dialog, IDC_PHASEVALUE), "-5.0");
    EXPECT_EQ(Scene.PhaseStep, -5.0f);
    // Out of range: the trackbar clamps, the stored value follows the thumb.
    Move(PhaseSlider, 1000);
    EXPECT_EQ(Scene.PhaseStep, -5.0f);
}

// Regression: the moved slider used to be taken from the keyboard focus, so
// a slider moved without the focus (the wheel over an inactive dialog) kept
// its old value, and the focused slider's value was stored instead.
TEST_F(ParamDialog, SliderMovedWithoutTheFocusIsStillStored)
{
    SetFocus(AltSlider);
    Move(AmpSlider, 2);
    EXPECT_EQ(Scene.Amplitude, 20.0f);
    EXPECT_EQ(TextOf(Dialog, IDC_AMPVALUE), " 20.0");
    EXPECT_EQ(Scene.Altitude, 395.7f);  // the focused slider is not re-read
    EXPECT_EQ(TextOf(Dialog, IDC_ALTVALUE), "395.7");

    SetFocus(nullptr);
    Move(FreqSlider, 20);
    EXPECT_EQ(Scene.WaveNumber, static_cast<float>(100 * 0.00017453293));
    EXPECT_EQ(TextOf(Dialog, IDC_FREQVALUE), " 1.00");

    // A scroll message from anything else changes nothing.
    const SceneState before = Scene;
    SendMessageA(Dialog, WM_VSCROLL, TB_ENDTRACK, 0);
    SendMessageA(Dialog, WM_VSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(GetDlgItem(Dialog, IDC_ALTVALUE)));
    SendMessageA(Dialog, WM_VSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(Dialog));
    EXPECT_TRUE(SameScene(before, Scene));
}

TEST_F(ParamDialog, KeyboardReachesTheSlidersThroughTheDialog)
{
    // Tab to the amplitude slider, then the down arrow: position 10 -> 11.
    SetFocus(AltSlider);
    PostMessageA(AltSlider, WM_KEYDOWN, VK_TAB, 0);
    Pump();
    ASSERT_EQ(GetFocus(), AmpSlider);
    PostMessageA(AmpSlider, WM_KEYDOWN, VK_DOWN, 0);
    PostMessageA(AmpSlider, WM_KEYUP, VK_DOWN, 0);
    Pump();
    EXPECT_EQ(Position(AmpSlider), 11);
    EXPECT_EQ(Scene.Amplitude, 11.0f);
    EXPECT_EQ(TextOf(Dialog, IDC_AMPVALUE), " 11.0");
}

// ---- The main window's messages ------------------------------------------

TEST(MainWindow, KeysSwitchWhiskersAndNothingElse)
{
    Scene = StartSceneState();
    for (WPARAM code = 0; code < 0x200; ++code) {
        if ((code & ~WPARAM(0x20)) == 'Q') {
            continue;  // ends the process: covered by the end-to-end tests
        }
        for (int start = 0; start < 3; ++start) {
            Scene.ShowNormals = start == 0;
            Scene.ShowTangents = start == 1;
            const SceneState before = Scene;
            EXPECT_EQ(MainWndProc(nullptr, WM_KEYDOWN, code, 0), 0);
            const WPARAM letter = code & ~WPARAM(0x20);
            if (letter == 'T') {
                EXPECT_EQ(Scene.ShowTangents, start != 1) << code;
                EXPECT_EQ(Scene.ShowNormals, 0) << code;
            } else if (letter == 'N') {
                EXPECT_EQ(Scene.ShowNormals, start != 0) << code;
                EXPECT_EQ(Scene.ShowTangents, 0) << code;
            } else {
                EXPECT_TRUE(SameScene(before, Scene)) << code;
            }
        }
    }
    const SceneState before = Scene;
    EXPECT_EQ(MainWndProc(nullptr, WM_RBUTTONDOWN, 0, 0), 0);
    EXPECT_EQ(MainWndProc(nullptr, WM_MOVE, 0, MAKELPARAM(50, 60)), 0);
    EXPECT_EQ(MainWndProc(nullptr, WM_SIZE, 0, MAKELPARAM(300, 200)), 0);
    EXPECT_TRUE(SameScene(before, Scene));
    Scene = StartSceneState();
}

TEST(MainWindow, DrawingResourcesLiveFromCreateToDestroy)
{
    WNDCLASSEXA windowClass = {};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = "MainWindowTestClass";
    ASSERT_NE(RegisterClassExA(&windowClass), 0);

    RayPen = nullptr;
    BackgroundBrush = nullptr;
    HWND window = CreateWindowExA(WS_EX_CLIENTEDGE, "MainWindowTestClass", MainWindowTitle, WS_OVERLAPPEDWINDOW, 10, 10,
                                  1000, 550, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
    ASSERT_NE(window, nullptr);
    EXPECT_EQ(GetObjectType(RayPen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(WhiskerPen), static_cast<DWORD>(OBJ_PEN));
    EXPECT_EQ(GetObjectType(BackgroundBrush), static_cast<DWORD>(OBJ_BRUSH));

    // A paint draws one frame and advances the drift by one step.
    ShowWindow(window, SW_SHOW);
    Scene = StartSceneState();
    InvalidateRect(window, nullptr, TRUE);
    UpdateWindow(window);
    EXPECT_EQ(Scene.PhaseOffset, 52.5f);

    const HGDIOBJ pens[] = {RayPen, MarkerPen, ReflectionPen, LayerPen, WhiskerPen, BackgroundBrush};
    DestroyWindow(window);
    for (HGDIOBJ object : pens) {
        EXPECT_EQ(GetObjectType(object), 0u);
    }
    MSG quit;
    ASSERT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE));
    EXPECT_EQ(quit.wParam, 0u);
    Scene = StartSceneState();
}

}  // namespace
