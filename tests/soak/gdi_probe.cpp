// Loaded into a running process by inject_probe.exe: writes the process's
// GDI object count next to itself, then refuses to stay loaded, so every
// injection measures afresh and leaves nothing behind.
#include <windows.h>

#include <cstdio>

// Windows answers GetGuiResources; Wine answers 0, so there the live handle
// table is probed instead (a handle with a zero high word matches any live
// object at that index).
static unsigned CountGdiObjects()
{
    const DWORD reported = GetGuiResources(GetCurrentProcess(), GR_GDIOBJECTS);
    if (reported != 0) {
        return reported;
    }
    unsigned live = 0;
    for (ULONG_PTR index = 1; index < 0x10000; ++index) {
        live += GetObjectType(reinterpret_cast<HGDIOBJ>(index)) != 0;
    }
    return live;
}

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID)
{
    if (reason != DLL_PROCESS_ATTACH) {
        return TRUE;
    }
    char path[MAX_PATH + 8];
    const DWORD length = GetModuleFileNameA(self, path, MAX_PATH);
    lstrcpyA(path + length, ".txt");
    if (FILE* out = std::fopen(path, "w")) {
        std::fprintf(out, "%u\n", CountGdiObjects());
        std::fclose(out);
    }
    return FALSE;
}
