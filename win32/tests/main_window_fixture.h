// The program's main window, made as WinMain makes it, for the tests that
// drive the windows in process; the class registered once per process.
#pragma once

#include <windows.h>

#include "win32/main_window.h"

inline HWND OpenMainWindow()
{
    WNDCLASSEXA windowClass{};
    windowClass.cbSize = sizeof windowClass;
    if (GetClassInfoExA(GetModuleHandleA(nullptr), MainWindowClassName, &windowClass) == 0) {
        windowClass.cbSize = sizeof windowClass;
        windowClass.lpfnWndProc = MainWndProc;
        windowClass.hInstance = GetModuleHandleA(nullptr);
        windowClass.lpszClassName = MainWindowClassName;
        RegisterClassExA(&windowClass);
    }
    return MainWnd = CreateWindowExA(WS_EX_CLIENTEDGE, MainWindowClassName, "", WS_OVERLAPPEDWINDOW | WS_VISIBLE, 10,
                                     10, 1000, 550, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr);
}

// Runs the thread's messages for a while: the sound's buffers come back
// and the views' windows paint.
inline void PumpMessages(DWORD milliseconds)
{
    for (const DWORD end = GetTickCount() + milliseconds; GetTickCount() < end; Sleep(1)) {
        MSG message;
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            DispatchMessageA(&message);
        }
    }
}
