// Saving under Wine: the signal's CSV and the picture's PNG as written, and
// targets that cannot be written: a box with the system's reason, no file
// and no temporary left, an existing file untouched.
#include <gtest/gtest.h>

#include <windows.h>

#include <wincodec.h>

#include <algorithm>
#include <string>
#include <vector>

#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "render/pens.h"
#include "render/signal_chart.h"
#include "win32/drawing_resources.h"
#include "win32/gdi_surface.h"
#include "win32/picture.h"
#include "win32/save_entries.h"

namespace {

// A fresh, empty folder for this test's files.
std::string ScratchFolder(const char* name)
{
    char temp[MAX_PATH];
    GetTempPathA(sizeof temp, temp);
    std::string folder = std::string(temp) + name;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            const std::string path = folder + "\\" + found.cFileName;
            SetFileAttributesA(path.c_str(), FILE_ATTRIBUTE_NORMAL);
            DeleteFileA(path.c_str()) || RemoveDirectoryA(path.c_str());
        } while (FindNextFileA(search, &found));
        FindClose(search);
    }
    CreateDirectoryA(folder.c_str(), nullptr);
    return folder;
}

std::vector<std::string> NamesIn(const std::string& folder)
{
    std::vector<std::string> names;
    WIN32_FIND_DATAA found;
    const HANDLE search = FindFirstFileA((folder + "\\*").c_str(), &found);
    do {
        names.emplace_back(found.cFileName);
    } while (search != INVALID_HANDLE_VALUE && FindNextFileA(search, &found));
    FindClose(search);
    std::sort(names.begin(), names.end());
    return names;
}

std::string Contents(const std::string& path)
{
    std::string text;
    const HANDLE file = CreateFileA(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    char chunk[4096];
    DWORD read = 0;
    while (file != INVALID_HANDLE_VALUE && ReadFile(file, chunk, sizeof chunk, &read, nullptr) && read > 0) {
        text.append(chunk, read);
    }
    CloseHandle(file);
    return text;
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    for (size_t start = 0, end; (end = text.find('\n', start)) != std::string::npos; start = end + 1) {
        lines.push_back(text.substr(start, end - start));
    }
    return lines;
}

// Every save goes through here: a box it shows (a failure's) is found by
// its title while it waits, its text kept, and dismissed, so that no test
// waits for a click.
std::string BoxTitle, BoxText;
void CALLBACK CloseBox(HWND, UINT, UINT_PTR timer, DWORD)
{
    const HWND box = FindWindowA(nullptr, BoxTitle.c_str());
    if (box != nullptr) {
        char text[1024] = "";
        GetDlgItemTextA(box, 0xFFFF, text, sizeof text);  // a message box's text
        BoxText = text;
        KillTimer(nullptr, timer);
        PostMessageA(box, WM_COMMAND, IDOK, 0);
    }
}

bool SaveSignal(const char* path) { return SaveSignalTo(nullptr, path); }
bool SavePicture(const char* path) { return SavePictureTo(nullptr, path, 640, 400); }

bool SaveWithBox(const char* title, bool (*save)(const char* path), const std::string& path)
{
    BoxTitle = title;
    BoxText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseBox);
    const bool saved = save(path.c_str());
    KillTimer(nullptr, timer);
    return saved;
}

// Every third step without a path: levels follow the step, so a row tells
// which sample it came from.
void FillHistory(int samples)
{
    ShowReceiver(true);
    for (long long step = 1; step <= samples; ++step) {
        AddSignalSample(Viewer.History, SignalSample{step, step % 3 == 0 ? 0 : 2, step / 8.0, -step / 4.0});
    }
}

// Regression guard for the ring: 310 samples keep the newest 300, oldest
// first, each row with its own drift step.
TEST(SaveSignal, TheHistoryOldestFirst)
{
    Viewer = StartViewerState();
    FillHistory(310);
    const std::string path = ScratchFolder("qsb-save-signal") + "\\signal.csv";
    ASSERT_TRUE(SaveWithBox(SaveSignalTitle, SaveSignal, path)) << BoxText;
    const std::vector<std::string> lines = Lines(Contents(path));
    ASSERT_EQ(lines.size(), 301u);
    EXPECT_EQ(lines[0], "frame,paths,focus_db,signal_db");
    EXPECT_EQ(lines[1], "11,2,1.375,-2.750");
    EXPECT_EQ(lines[2], "12,0,,");
    EXPECT_EQ(lines[300], "310,2,38.750,-77.500");
    Viewer = StartViewerState();
}

// A decoded PNG: its size and its pixels, 3 bytes each (blue, green, red),
// rows packed.
struct Decoded {
    UINT Width = 0, Height = 0;
    std::vector<BYTE> Bgr;
    int Count(Rgb colour, UINT top, UINT bottom) const
    {
        int n = 0;
        for (size_t i = size_t{top} * Width * 3; i < size_t{bottom} * Width * 3; i += 3) {
            n += Bgr[i] == colour.B && Bgr[i + 1] == colour.G && Bgr[i + 2] == colour.R;
        }
        return n;
    }
};

Decoded DecodePng(const std::string& path)
{
    Decoded d;
    CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED);
    IWICImagingFactory* factory = nullptr;
    IWICBitmapDecoder* decoder = nullptr;
    IWICBitmapFrameDecode* frame = nullptr;
    IWICBitmapSource* bgr = nullptr;
    std::wstring wide(path.begin(), path.end());
    if (SUCCEEDED(CoCreateInstance(CLSID_WICImagingFactory, nullptr, CLSCTX_INPROC_SERVER, IID_IWICImagingFactory,
                                   reinterpret_cast<void**>(&factory))) &&
        SUCCEEDED(factory->CreateDecoderFromFilename(wide.c_str(), nullptr, GENERIC_READ,
                                                     WICDecodeMetadataCacheOnDemand, &decoder)) &&
        SUCCEEDED(decoder->GetFrame(0, &frame)) &&
        SUCCEEDED(WICConvertBitmapSource(GUID_WICPixelFormat24bppBGR, frame, &bgr)) &&
        SUCCEEDED(bgr->GetSize(&d.Width, &d.Height))) {
        d.Bgr.resize(size_t{d.Width} * d.Height * 3);
        bgr->CopyPixels(nullptr, d.Width * 3, static_cast<UINT>(d.Bgr.size()), d.Bgr.data());
    }
    for (IUnknown* object : std::initializer_list<IUnknown*>{bgr, frame, decoder, factory}) {
        if (object != nullptr) {
            object->Release();
        }
    }
    CoUninitialize();
    return d;
}

// The chart drawn alone through GDI, its rows packed as in Decoded.
std::vector<BYTE> ChartAlone(int width, int height)
{
    BITMAPINFO info{};
    info.bmiHeader = {sizeof info.bmiHeader, width, -height, 1, 24, BI_RGB, 0, 0, 0, 0, 0};
    void* bits = nullptr;
    const HDC dc = CreateCompatibleDC(nullptr);
    const HBITMAP bitmap = CreateDIBSection(dc, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    const HGDIOBJ old = SelectObject(dc, bitmap);
    DrawSignalChart(GdiSurface(dc), width, height);
    GdiFlush();
    const BYTE* first = static_cast<const BYTE*>(bits);
    std::vector<BYTE> rows(first, first + std::ptrdiff_t{width} * 3 * height);  // a width of 640 leaves no row padding
    SelectObject(dc, old);
    DeleteObject(bitmap), DeleteDC(dc);
    return rows;
}

// The scene at the size asked for, and the chart under it exactly while the
// receiver is shown, as the chart's window shows it (not paused by the
// saving); colours exact; the drift held: no step, no sample, no pause left.
TEST(SavePicture, TheSceneWithTheChartUnderIt)
{
    CreateDrawingResources();
    const std::string folder = ScratchFolder("qsb-save-picture");
    for (bool receiver : {false, true}) {
        Scene = StartSceneState();
        Viewer = StartViewerState();
        if (receiver) {
            FillHistory(40);
            UpdateReceiver(false);  // the latest signal, as the last frame painted left it
        }
        const float phase = Scene.PhaseOffset;
        const std::string path = folder + (receiver ? "\\with-chart.png" : "\\scene.png");
        ASSERT_TRUE(SaveWithBox(SavePictureTitle, SavePicture, path)) << BoxText;
        EXPECT_TRUE(Scene.PhaseOffset == phase && Viewer.DriftSteps == 0 && Viewer.Paused == 0);
        EXPECT_EQ(Viewer.History.Count, receiver ? 40 : 0);

        const std::string png = Contents(path);
        const UINT height = receiver ? 400 + PictureChartHeight : 400;
        EXPECT_EQ(png.substr(0, 8), "\x89PNG\r\n\x1a\n");
        EXPECT_EQ(png.substr(12, 4), "IHDR");
        EXPECT_EQ(png.substr(16, 8), std::string("\0\0\x02\x80\0\0", 6) + char(height >> 8) + char(height & 255));
        const Decoded d = DecodePng(path);
        ASSERT_TRUE(d.Width == 640 && d.Height == height);
        EXPECT_GT(d.Count(StyleOf(PenId::Ray).Colour, 0, 400), 500);
        EXPECT_EQ(d.Count(StyleOf(PenId::Grid).Colour, 0, 400), 0);
        if (receiver) {
            EXPECT_TRUE(std::equal(d.Bgr.begin() + std::ptrdiff_t{400} * 640 * 3, d.Bgr.end(),
                                   ChartAlone(640, PictureChartHeight).begin()));
        }
    }
    DeleteDrawingResources();
    Scene = StartSceneState();
    Viewer = StartViewerState();
}

TEST(SaveFailure, ABoxWithTheReasonAndNothingLeftBehind)
{
    CreateDrawingResources();
    Viewer = StartViewerState();
    FillHistory(20);
    const std::string folder = ScratchFolder("qsb-save-failure");
    CreateDirectoryA((folder + "\\a folder").c_str(), nullptr);
    const std::string kept = folder + "\\kept.png";
    const HANDLE file = CreateFileA(kept.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW, 0, nullptr);
    DWORD written = 0;
    WriteFile(file, "old", 3, &written, nullptr);
    CloseHandle(file);
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);
    const std::vector<std::string> before = NamesIn(folder);

    const struct {
        const char* Title;
        bool (*Save)(const char* path);
    } saves[] = {{SaveSignalTitle, SaveSignal}, {SavePictureTitle, SavePicture}};
    const std::string targets[] = {folder + "\\no such folder\\x.csv", folder + "\\a folder", kept};
    for (const auto& save : saves) {
        for (const std::string& target : targets) {
            EXPECT_FALSE(SaveWithBox(save.Title, save.Save, target)) << save.Title << " " << target;
            EXPECT_EQ(BoxText.rfind("Could not save " + target + ":\n", 0), 0u) << BoxText;
            EXPECT_GT(BoxText.size(), target.size() + 20) << "no reason: " << BoxText;
            EXPECT_EQ(NamesIn(folder), before) << save.Title << " " << target;
        }
    }
    EXPECT_EQ(Contents(kept), "old");
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
    DeleteDrawingResources();
    Viewer = StartViewerState();
}

}  // namespace
