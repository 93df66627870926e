#include "win32/save_entries.h"

#include <commdlg.h>

#include <cstdio>

#include "model/signal_csv.h"
#include "model/viewer_state.h"
#include "win32/picture.h"
#include "win32/png_file.h"
#include "win32/whole_file.h"

// The scene's size when the main window has no client area (minimised).
constexpr int DefaultSceneWidth = 1000, DefaultSceneHeight = 500;

std::string SignalCsv(const SignalHistory& history)
{
    std::string csv = SignalCsvHeader;
    char row[1024];  // the longest row, two levels near the largest double, is under 700 characters
    for (int ago = history.Count - 1; ago >= 0; --ago) {
        FormatSignalCsvRow(SampleAgo(history, ago), row, sizeof row);
        csv += row;
    }
    return csv;
}

static bool Failed(HWND owner, const char* title, const char* path, const char* reason)
{
    char text[MAX_PATH + ReasonSize + 32];
    std::snprintf(text, sizeof text, "Could not save %s:\n%s", path, reason);
    MessageBoxA(owner, text, title, MB_OK | MB_ICONERROR);
    return false;
}

// path holds the proposed name on entry and the chosen one on return. A
// cancel is no failure; a dialog that fails says so.
static bool AskSavePath(HWND owner, const char* title, const char* filter, const char* extension, char* path)
{
    OPENFILENAMEA dialog{};
    dialog.lStructSize = sizeof dialog;
    dialog.hwndOwner = owner;
    dialog.lpstrFilter = filter;
    dialog.lpstrFile = path;
    dialog.nMaxFile = MAX_PATH;
    dialog.lpstrTitle = title;
    dialog.lpstrDefExt = extension;
    dialog.Flags = OFN_EXPLORER | OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY | OFN_NOREADONLYRETURN |
                   OFN_NOCHANGEDIR;
    if (GetSaveFileNameA(&dialog)) {
        return true;
    }
    const DWORD error = CommDlgExtendedError();
    if (error != 0) {
        char reason[64];
        std::snprintf(reason, sizeof reason, "the save dialog failed (error 0x%04lX)", error);
        Failed(owner, title, "the file", reason);
    }
    return false;
}

static bool WriteSignal(HWND owner, const std::string& csv, const char* path)
{
    char reason[ReasonSize];
    return WriteWholeFile(path, csv.data(), csv.size(), reason, sizeof reason) ||
           Failed(owner, SaveSignalTitle, path, reason);
}

static bool WritePicture(HWND owner, const Picture& picture, const char* path)
{
    char reason[ReasonSize];
    return WritePngFile(path, picture.Bits, picture.Width, picture.Height, picture.Stride, reason, sizeof reason) ||
           Failed(owner, SavePictureTitle, path, reason);
}

static bool DrawPictureOrSay(HWND owner, Picture& picture, int sceneWidth, int sceneHeight, const char* path)
{
    if (DrawPicture(picture, sceneWidth, sceneHeight)) {
        return true;
    }
    char reason[ReasonSize];
    DescribeSystemError(GetLastError(), reason, sizeof reason);
    return Failed(owner, SavePictureTitle, path, reason);
}

bool SaveSignalTo(HWND owner, const char* path) { return WriteSignal(owner, SignalCsv(Viewer.History), path); }

bool SavePictureTo(HWND owner, const char* path, int sceneWidth, int sceneHeight)
{
    Picture picture;
    const bool saved =
        DrawPictureOrSay(owner, picture, sceneWidth, sceneHeight, path) && WritePicture(owner, picture, path);
    FreePicture(picture);
    return saved;
}

// The history as it is when the entry is chosen: the drift goes on while
// the dialog is open.
void SaveSignalAs(HWND owner)
{
    const std::string csv = SignalCsv(Viewer.History);
    char path[MAX_PATH] = "qsb-signal.csv";
    if (AskSavePath(owner, SaveSignalTitle, "CSV files (*.csv)\0*.csv\0All files\0*.*\0", "csv", path)) {
        WriteSignal(owner, csv, path);
    }
}

// The picture as the window shows it when the entry is chosen, drawn before
// the dialog opens.
void SavePictureAs(HWND owner)
{
    RECT client{};
    GetClientRect(owner, &client);
    const bool empty = client.right <= 0 || client.bottom <= 0;
    Picture picture;
    if (DrawPictureOrSay(owner, picture, empty ? DefaultSceneWidth : client.right,
                         empty ? DefaultSceneHeight : client.bottom, "the picture")) {
        char path[MAX_PATH] = "qsb-picture.png";
        if (AskSavePath(owner, SavePictureTitle, "PNG pictures (*.png)\0*.png\0All files\0*.*\0", "png", path)) {
            WritePicture(owner, picture, path);
        }
    }
    FreePicture(picture);
}
