// The Windows side under Wine: the program's own resources, the dialog built
// from the real template, the pens and a frame through real GDI, and the
// running windows keeping their GDI objects and memory flat.
#include <gtest/gtest.h>

#include <windows.h>

#include <commctrl.h>
#include <psapi.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <vector>

#include "win32/view_windows.h"
#include "controls/key_commands.h"
#include "controls/scenes.h"
#include "win32/main_window.h"
#include "win32/param_dialog.h"
#include "win32/drawing_resources.h"
#include "render/frame_painter.h"
#include "render/ground_map_view.h"
#include "render/level_colours.h"
#include "render/waterfall_view.h"
#include "model/level_rings.h"
#include "model/viewer_state.h"
#include "win32/gdi_surface.h"
#include "win32/resources/resource_ids.h"
#include "tests/scene_fixture.h"
#include "win32/tests/main_window_fixture.h"

namespace {

TEST(Resources, IconAtNineSizes)
{
    for (int size : {16, 24, 32, 48, 64, 72, 96, 128, 256}) {
        const HICON icon = static_cast<HICON>(
            LoadImageA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDI_APPICON), IMAGE_ICON, size, size, 0));
        ICONINFO info{};
        BITMAP bitmap{};
        ASSERT_TRUE(icon != nullptr && GetIconInfo(icon, &info)) << size;
        GetObjectA(info.hbmColor, sizeof bitmap, &bitmap);
        EXPECT_TRUE(bitmap.bmWidth == size && bitmap.bmHeight == size) << size;
        DeleteObject(info.hbmColor), DeleteObject(info.hbmMask), DestroyIcon(icon);
    }
}

std::string TextOf(HWND dialog, int id)
{
    char text[64] = "";
    GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

HWND CreateParamDialog()
{
    InitCommonControls();
    return CreateDialogParamA(GetModuleHandleA(nullptr), MAKEINTRESOURCEA(IDD_PARAMDIALOG), nullptr, ParamDlgProc, 0);
}

TEST(ParamDialog, StartsFromTheSceneAndStoresTheNotifyingSlider)
{
    Scene = StartSceneState();
    const HWND dialog = CreateParamDialog();
    ASSERT_NE(dialog, nullptr);
    const struct {
        HWND Slider;
        int Min, Max, Position, ValueId;
        const char* Text;
    } wants[] = {
        {AltSlider, 100, 400, 104, IDC_ALTVALUE, "395.7"},
        {AmpSlider, 0, 22, 10, IDC_AMPVALUE, " 11.3"},
        {FreqSlider, 0, 120, 67, IDC_FREQVALUE, " 0.52"},
        {PhaseSlider, -40, 150, 25, IDC_PHASEVALUE, " 7.5"},  // -40 travels as 0xFFD8
    };
    for (const auto& w : wants) {
        EXPECT_EQ(SendMessageA(w.Slider, TBM_GETRANGEMIN, 0, 0), w.Min) << w.Text;
        EXPECT_EQ(SendMessageA(w.Slider, TBM_GETRANGEMAX, 0, 0), w.Max) << w.Text;
        EXPECT_EQ(SendMessageA(w.Slider, TBM_GETPOS, 0, 0), w.Position) << w.Text;
        EXPECT_EQ(TextOf(dialog, w.ValueId), w.Text);
    }
    EXPECT_EQ(GetFocus(), AltSlider);

    // Regression: the moved slider used to be taken from the keyboard focus,
    // so a slider moved without it (the wheel over an inactive dialog) kept
    // its old value, and the focused slider's value was stored instead.
    SendMessageA(AmpSlider, TBM_SETPOS, TRUE, 2);
    SendMessageA(dialog, WM_VSCROLL, MAKEWPARAM(TB_THUMBPOSITION, 2), reinterpret_cast<LPARAM>(AmpSlider));
    EXPECT_TRUE(Scene.Amplitude == 20.0f && TextOf(dialog, IDC_AMPVALUE) == " 20.0");
    // A scroll message naming no slider changes nothing.
    SendMessageA(dialog, WM_VSCROLL, TB_ENDTRACK, reinterpret_cast<LPARAM>(GetDlgItem(dialog, IDC_ALTVALUE)));
    EXPECT_TRUE(Scene.Altitude == 395.7f && TextOf(dialog, IDC_ALTVALUE) == "395.7");
    DestroyWindow(dialog);
    Scene = StartSceneState();
    StartViewer();
}

// The first frame on GDI: the pens' widths, every pen's and the brush's
// colour on the bitmap, the last ray drawn (27 degrees, from (6, 490) to
// (535, 91)) marked along its middle, and the same pixels line by line.
TEST(GdiFrame, PensWidthsAndColours)
{
    constexpr int width = 1000, height = 550;
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    CreateDrawingResources();
    for (int pen = 0; pen < 5; ++pen) {  // ray, marker, reflection, layer, whisker
        LOGPEN style{};
        GetObjectA(PenHandle(static_cast<PenId>(pen)), sizeof style, &style);
        EXPECT_TRUE(style.lopnStyle == PS_SOLID && style.lopnWidth.x == 5 - pen) << pen;
    }
    EXPECT_EQ(PenHandle(PenId::Black), GetStockObject(BLACK_PEN));
    Scene = StartSceneState();
    DrawFrame(GdiSurface(dc), width, height);
    GdiFlush();
    const auto* pixels = static_cast<const uint32_t*>(bits);
    const uint32_t* end = pixels + static_cast<std::ptrdiff_t>(width) * height;
    for (uint32_t rgb : {0x002B36u, 0xCB4B16u, 0x859900u, 0xDC322Fu, 0x268BD2u, 0xB58900u}) {
        EXPECT_GT(std::count_if(pixels, end, [rgb](uint32_t p) { return (p & 0xFFFFFF) == rgb; }), 500)
            << std::hex << rgb;
    }
    EXPECT_EQ(pixels[290 * width + 270] & 0xFFFFFF, 0x859900u);
    // The same frame with every line GDI's own LineTo: the surface's held
    // polylines leave every pixel as it was, the last lines drawn too.
    const std::vector<uint32_t> held(pixels, end);
    DrawingSurface direct = GdiSurface(dc);
    direct.SelectPen = [](void* c, PenId pen) { SelectObject(static_cast<HDC>(c), PenHandle(pen)); };
    direct.MoveTo = [](void* c, int x, int y) { MoveToEx(static_cast<HDC>(c), x, y, nullptr); };
    direct.LineTo = [](void* c, int x, int y) { LineTo(static_cast<HDC>(c), x, y); };
    Scene = StartSceneState();
    DrawFrame(direct, width, height);
    GdiFlush();
    EXPECT_TRUE(std::equal(held.begin(), held.end(), pixels));
    SelectObject(dc, old);
    DeleteDrawingResources(), DeleteObject(bitmap), DeleteDC(dc);
    Scene = StartSceneState();
}

// Cells through real GDI, and written straight into a DIB section's pixels
// as the views' windows draw them: each one exactly its size, in its colour
// (an index beyond the scale's as no signal), nothing around them touched, a
// row longer than the GDI surface's copy of it (4,096 cells) drawn whole,
// rows over every edge clipped as GDI clips them; and the map and the
// waterfall, full, the same to the pixel both ways.
TEST(GdiFrame, CellsTheirSizeAndColourBothWays)
{
    constexpr int width = 5100, height = 30;
    GdiPixels gdi{}, own{};
    ASSERT_TRUE(CreateGdiPixels(gdi, nullptr, width, height) && CreateGdiPixels(own, nullptr, width, height));
    CreateDrawingResources();
    static unsigned char row[5000] = {0, 60, NoSignalColour, 200, 17};
    row[4097] = 33;
    for (GdiPixels* pixels : {&gdi, &own}) {
        const DrawingSurface s = pixels == &gdi ? GdiSurface(gdi.Dc) : GdiPixelSurface(own);
        s.FillRect(s.Context, 0, 0, width, height);
        s.Cells(s.Context, 10, 20, 3, 2, row, 5);
        s.Cells(s.Context, 50, 2, 1, 4, row, 5000);
        for (const RECT& over :
             {RECT{-7, 8, 3, 2}, RECT{30, -1, 2, 3}, RECT{width - 4, 12, 3, 2}, RECT{40, 28, 5, 4}}) {
            s.Cells(s.Context, over.left, over.top, over.right, over.bottom, row, 5);
        }
        GdiFlush();
        auto at = [&](int x, int y) { return pixels->Bits[y * width + x] & 0xFFFFFF; };
        auto rgb = [](unsigned char i) {
            return uint32_t(CellColour(i).R << 16 | CellColour(i).G << 8 | CellColour(i).B);
        };
        for (int y = 19; y <= 22; ++y) {
            for (int x = 9; x <= 25; ++x) {
                const bool inside = x >= 10 && x < 25 && y >= 20 && y < 22;
                ASSERT_EQ(at(x, y), inside ? rgb(row[(x - 10) / 3]) : 0x002B36u) << x << " " << y;
            }
        }
        for (int i : {0, 1, 4095, 4096, 4097, 4999}) {
            EXPECT_TRUE(at(50 + i, 2) == rgb(row[i]) && at(50 + i, 5) == rgb(row[i]) && at(50 + i, 6) == 0x002B36u)
                << i;
        }
        EXPECT_TRUE(at(0, 8) == rgb(row[2]) && at(7, 9) == rgb(row[4]) && at(8, 9) == 0x002B36u);
    }
    EXPECT_TRUE(std::equal(gdi.Bits, gdi.Bits + std::ptrdiff_t{width} * height, own.Bits));
    FreeGdiPixels(gdi), FreeGdiPixels(own);

    ShowReceiver(true), ShowMap(true), ShowWaterfall(true);
    for (int step = 0; step < LevelRingRows; ++step) {
        TakeDriftStep();
        UpdateReceiver(true);
    }
    for (auto draw : {DrawGroundMap, DrawWaterfall}) {
        ASSERT_TRUE(CreateGdiPixels(gdi, nullptr, 1000, 358) && CreateGdiPixels(own, nullptr, 1000, 358));
        draw(GdiSurface(gdi.Dc), 1000, 358);
        draw(GdiPixelSurface(own), 1000, 358);
        GdiFlush();
        constexpr std::ptrdiff_t pixels = std::ptrdiff_t{1000} * 358;
        EXPECT_TRUE(std::equal(gdi.Bits, gdi.Bits + pixels, own.Bits));
        EXPECT_GT(std::count_if(own.Bits, own.Bits + pixels, [](uint32_t p) { return (p & 0xFFFFFF) != 0x002B36u; }),
                  200000);  // the rows are there
        FreeGdiPixels(gdi), FreeGdiPixels(own);
    }
    DeleteDrawingResources();
    ShowMap(false), ShowWaterfall(false), ShowReceiver(false);
    Scene = StartSceneState();
    Viewer = StartViewerState();
}

// The main window, the dialog and the views' windows as the program runs
// them: frames painted, every slider swept by keyboard through the dialog,
// the whiskers switched, every view and the sound on and off, the scenes and
// the ionosphere stepped through; closing the chart hides the receiver,
// closing the window deletes the pens and ends the loop with 0. QSB_SOAK_SECONDS makes
// this the long run.
TEST(RunningWindows, GdiObjectsAndMemoryStayFlat)
{
    const HWND main = OpenMainWindow();
    const HWND dialog = CreateParamDialog();
    ASSERT_TRUE(main != nullptr && dialog != nullptr);
    Scene = StartSceneState();
    SendMessageA(main, WM_KEYDOWN, KeyReceiver, 0);
    char title[32] = "";
    GetWindowTextA(ViewWindow(View::Chart), title, sizeof title);
    ASSERT_STREQ(title, "Signal at receiver");
    int scene = 0;
    auto cycle = [&] {
        // The next scene and ionosphere; every view's window opened, painted
        // and closed, the sound with it.
        for (WPARAM key : {KeyFirstScene + scene++ % SceneCount, KeyIonosphere, KeyMap, KeyWaterfall, KeyStatistics,
                           KeySound, KeyMap, KeyWaterfall, KeyStatistics, KeySound}) {
            SendMessageA(main, WM_KEYDOWN, key, 0);
            InvalidateRect(main, nullptr, TRUE), UpdateWindow(main);
        }
        for (HWND slider : {AltSlider, AmpSlider, FreqSlider, PhaseSlider}) {
            SetFocus(slider);
            for (WPARAM key : {VK_HOME, VK_NEXT, VK_NEXT, VK_PRIOR, VK_DOWN, VK_UP, VK_END}) {
                MSG message{};
                message.hwnd = slider, message.message = WM_KEYDOWN, message.wParam = key;
                IsDialogMessageA(dialog, &message);
                InvalidateRect(main, nullptr, TRUE), UpdateWindow(main);
            }
        }
        for (WPARAM key : {0x54u, 0x54u, 0x4Eu, 0x4Eu, 0x54u, 0x4Eu}) {  // T T N N T N
            SendMessageA(main, WM_KEYDOWN, key, 0);
        }
    };
    // Wine answers 0 to GetGuiResources: count the live GDI handles instead
    // (a handle with a zero high word matches any live object at that index).
    auto liveGdiObjects = [] {
        unsigned live = 0;
        for (ULONG_PTR index = 1; index < 0x10000; ++index) {
            live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
        }
        return live;
    };
    auto privateBytes = [] {
        PROCESS_MEMORY_COUNTERS memory{};
        GetProcessMemoryInfo(GetCurrentProcess(), &memory, sizeof memory);
        return static_cast<long long>(memory.PagefileUsage);
    };
    // The controls make a few GDI objects of their own the first time, and
    // Wine's heap grows by a megabyte or so at first: every ionosphere once
    // before counting.
    for (int warm = 0; warm < IonosphereCount; ++warm) {
        cycle();
    }
    EXPECT_TRUE(Scene.Altitude == 100 && Scene.PhaseStep == -5);  // End took every slider to its bottom
    const unsigned gdiBefore = liveGdiObjects();
    const long long memoryBefore = privateBytes();
    const char* seconds = std::getenv("QSB_SOAK_SECONDS");
    for (const DWORD end = GetTickCount() + 1000 * (seconds ? std::strtol(seconds, nullptr, 10) : 3);
         GetTickCount() < end;) {
        cycle();
    }
    EXPECT_EQ(liveGdiObjects(), gdiBefore);
    // Wine's heap still commits a step of about a megabyte now and then
    // (0.03 to 1.1 MB over 3 to 10 s, at no steady rate); a frame that leaked
    // a kilobyte would pass two megabytes in 2,000 frames.
    EXPECT_LT(privateBytes() - memoryBefore, 2 << 20);

    SendMessageA(ViewWindow(View::Chart), WM_CLOSE, 0, 0);
    EXPECT_TRUE(ViewWindow(View::Chart) == nullptr && !Viewer.ReceiverShown);
    const HGDIOBJ pen = RayPen;
    DestroyWindow(main);
    EXPECT_EQ(GetObjectType(pen), 0u);
    MSG quit;
    EXPECT_TRUE(PeekMessageA(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE) && quit.wParam == 0);
    DestroyWindow(dialog);
    Scene = StartSceneState();
    StartViewer();
}

}  // namespace
