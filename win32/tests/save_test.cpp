// Saving under Wine: the signal's rows, the picture drawn with the drift
// held, and targets that cannot be written: a box with the system's reason
// and nothing left behind.
#include <gtest/gtest.h>

#include <windows.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "model/scene_state.h"
#include "model/viewer_state.h"
#include "model/level_rings.h"
#include "render/fading_view.h"
#include "render/ground_map_view.h"
#include "render/signal_chart.h"
#include "render/waterfall_view.h"
#include "win32/drawing_resources.h"
#include "win32/gdi_surface.h"
#include "win32/picture.h"
#include "win32/save_entries.h"

namespace {

// A fresh, empty folder for a test's files.
std::string NewFolder(const char* name)
{
    const std::filesystem::path folder = std::filesystem::temp_directory_path() / name;
    std::error_code ignored;  // what remains makes the test fail
    std::filesystem::remove_all(folder, ignored), std::filesystem::create_directory(folder, ignored);
    return folder.string();
}

std::string Contents(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

// Every save goes through Save: the box a failure shows is found by its
// title while it waits, its text kept, and dismissed, so no test waits.
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

bool Save(bool picture, const std::string& path)
{
    BoxTitle = picture ? SavePictureTitle : SaveSignalTitle;
    BoxText.clear();
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, CloseBox);
    const bool saved = picture ? SavePictureTo(nullptr, path.c_str(), 640, 400) : SaveSignalTo(nullptr, path.c_str());
    KillTimer(nullptr, timer);
    return saved;
}

// Each test starts from the program's start, the pens made, and leaves it so.
struct Saving : testing::Test {
    void SetUp() override { CreateDrawingResources(), Scene = StartSceneState(), Viewer = StartViewerState(); }
    void TearDown() override { DeleteDrawingResources(), Scene = StartSceneState(), Viewer = StartViewerState(); }
};

// Every third step without a path; levels that tell the step.
void FillHistory(int samples)
{
    ShowReceiver(true);
    for (long long step = 1; step <= samples; ++step) {
        AddSignalSample(Viewer.History, SignalSample{step, step % 3 == 0 ? 0 : 2, step / 8.0, -step / 4.0});
    }
}

// The ring's wrap: 310 samples keep the newest 300, oldest first (the
// first two and the last rows), each row with its own drift step.
TEST_F(Saving, TheSignalOldestFirst)
{
    FillHistory(310);
    const std::string path = NewFolder("qsb-save-signal") + "\\signal.csv";
    ASSERT_TRUE(Save(false, path)) << BoxText;
    const std::string csv = Contents(path);
    EXPECT_EQ(csv.rfind("frame,paths,focus_db,signal_db\n11,2,1.375,-2.750\n12,0,,\n", 0), 0u);
    EXPECT_EQ(csv.substr(csv.size() - 22), "\n310,2,38.750,-77.500\n");
}

// A PNG of the scene with every view under it, each band as its view drawn
// alone there, in order (the map right under the scene): the saving neither
// stepped the drift, nor added a sample or a map row, nor showed the chart
// paused.
TEST_F(Saving, ThePictureWithEveryViewUnderIt)
{
    FillHistory(40);
    ShowMap(true), ShowWaterfall(true), Viewer.StatisticsShown = 1;
    for (int step = 0; step < 30; ++step) {
        UpdateReceiver(true);
    }
    const std::string path = NewFolder("qsb-save-picture") + "\\picture.png";
    ASSERT_TRUE(Save(true, path)) << BoxText;
    EXPECT_EQ(Contents(path).substr(0, 24), std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\x02\x80\0\0\x06\x60", 24));
    EXPECT_TRUE(Scene.PhaseOffset == StartSceneState().PhaseOffset && Viewer.DriftSteps == 0 && Viewer.Paused == 0 &&
                Patterns.MapRows.Rows.Count == 30);

    Picture picture;
    ASSERT_TRUE(DrawPicture(picture, 640, 400));
    const struct {
        int Height;
        void (*Draw)(const DrawingSurface& surface, int width, int height);
    } bands[] = {{LevelRingRows + MapFooterHeight, DrawGroundMap},
                 {PictureChartHeight, DrawSignalChart},
                 {PictureWaterfallHeight, DrawWaterfall},
                 {PictureStatisticsHeight, DrawFadingView}};
    for (int top = 400, i = 0; i < 4; top += bands[i++].Height) {
        const BYTE* bits = picture.Bits + std::ptrdiff_t{top} * picture.Stride;
        const std::vector<BYTE> saved(bits, bits + std::ptrdiff_t{bands[i].Height} * picture.Stride);
        SetViewportOrgEx(picture.Dc, 0, top, nullptr);
        bands[i].Draw(GdiSurface(picture.Dc), 640, bands[i].Height);
        GdiFlush();
        EXPECT_TRUE(std::equal(saved.begin(), saved.end(), bits)) << top;
    }
    FreePicture(picture);
}

TEST_F(Saving, FailuresShowABoxAndLeaveNothingBehind)
{
    const std::string folder = NewFolder("qsb-save-failure"), kept = folder + "\\kept.png";
    CreateDirectoryA((folder + "\\a folder").c_str(), nullptr);
    std::ofstream(kept) << "old";
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_READONLY);
    auto entries = [&] { return std::distance(std::filesystem::directory_iterator(folder), {}); };
    const std::ptrdiff_t before = entries();
    for (bool picture : {false, true}) {
        for (const std::string& target : {folder + "\\no such folder\\x.png", folder + "\\a folder", kept}) {
            EXPECT_TRUE(!Save(picture, target) && BoxText.rfind("Could not save " + target + ":\n", 0) == 0 &&
                        BoxText.size() > target.size() + 20 && entries() == before)
                << target << " | " << BoxText;
        }
    }
    EXPECT_EQ(Contents(kept), "old");
    SetFileAttributesA(kept.c_str(), FILE_ATTRIBUTE_NORMAL);
}

}  // namespace
