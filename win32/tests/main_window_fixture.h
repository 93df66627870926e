// The program's main window as WinMain makes it, its class registered once
// per process, for the tests that drive the windows in process.
#pragma once

#include <windows.h>

#include "win32/main_window.h"

inline HWND OpenMainWindow()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    windowClass.lpfnWndProc = MainWndProc;
    windowClass.hInstance = GetModuleHandleA(nullptr);
    windowClass.lpszClassName = MainWindowClassName;
    RegisterClassExA(&windowClass);  // fails harmlessly the second time
    return MainWnd = CreateWindowExA(WS_EX_CLIENTEDGE, MainWindowClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                     10, 1000, 550, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}
