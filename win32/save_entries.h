// The system menu's "Save signal..." and "Save picture...": what is shown
// when the entry is chosen, to a file chosen in the standard save dialog,
// written whole or not at all; a failure shows a box with the system's reason.
#pragma once

#include <windows.h>

#include <string>

#include "model/signal_history.h"

constexpr const char* SaveSignalTitle = "Save signal";
constexpr const char* SavePictureTitle = "Save picture";

// The entries themselves; owner is the main window.
void SaveSignalAs(HWND owner);
void SavePictureAs(HWND owner);

// The same without the dialog, to path: false after the box.
bool SaveSignalTo(HWND owner, const char* path);
bool SavePictureTo(HWND owner, const char* path, int sceneWidth, int sceneHeight);

// The history as CSV, oldest sample first: qsb-trace --signal's header and
// rows, the frame column holding each sample's drift step.
std::string SignalCsv(const SignalHistory& history);
