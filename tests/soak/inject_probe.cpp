// inject_probe EXE-NAME PROBE-DLL: measures a running process from outside.
// Prints "gdi=N working_set=N pagefile=N" (bytes), the GDI count coming from
// the probe DLL loaded into the process with a remote thread.
#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>

static DWORD FindProcess(const char* name)
{
    const HANDLE snapshot = CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0);
    PROCESSENTRY32 entry;
    entry.dwSize = sizeof entry;
    DWORD found = 0;
    for (BOOL more = Process32First(snapshot, &entry); more && found == 0; more = Process32Next(snapshot, &entry)) {
        if (lstrcmpiA(entry.szExeFile, name) == 0) {
            found = entry.th32ProcessID;
        }
    }
    CloseHandle(snapshot);
    return found;
}

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fprintf(stderr, "usage: inject_probe EXE-NAME PROBE-DLL\n");
        return 2;
    }
    const DWORD id = FindProcess(argv[1]);
    const HANDLE process = id ? OpenProcess(PROCESS_ALL_ACCESS, FALSE, id) : nullptr;
    if (process == nullptr) {
        std::fprintf(stderr, "inject_probe: no process %s\n", argv[1]);
        return 1;
    }
    char dll[MAX_PATH];
    GetFullPathNameA(argv[2], MAX_PATH, dll, nullptr);
    char result[MAX_PATH + 8];
    std::snprintf(result, sizeof result, "%s.txt", dll);
    DeleteFileA(result);

    const SIZE_T size = std::strlen(dll) + 1;
    void* remote = VirtualAllocEx(process, nullptr, size, MEM_COMMIT | MEM_RESERVE, PAGE_READWRITE);
    WriteProcessMemory(process, remote, dll, size, nullptr);
    // LoadLibraryA has the thread routine's shape: one pointer in, a word out.
    const FARPROC address = GetProcAddress(GetModuleHandleA("kernel32.dll"), "LoadLibraryA");
    const auto loadLibrary = reinterpret_cast<LPTHREAD_START_ROUTINE>(reinterpret_cast<void (*)()>(address));
    const HANDLE thread = CreateRemoteThread(process, nullptr, 0, loadLibrary, remote, 0, nullptr);
    if (thread == nullptr || WaitForSingleObject(thread, 20000) != WAIT_OBJECT_0) {
        std::fprintf(stderr, "inject_probe: the probe did not run\n");
        return 1;
    }
    CloseHandle(thread);
    VirtualFreeEx(process, remote, 0, MEM_RELEASE);

    char count[32] = "";
    FILE* in = std::fopen(result, "r");
    char* end = count;
    const unsigned long gdi = in != nullptr && std::fgets(count, sizeof count, in) ? std::strtoul(count, &end, 10) : 0;
    if (in != nullptr) {
        std::fclose(in);
    }
    if (end == count) {
        std::fprintf(stderr, "inject_probe: no count from the probe\n");
        return 1;
    }
    PROCESS_MEMORY_COUNTERS memory = {};
    GetProcessMemoryInfo(process, &memory, sizeof memory);
    std::printf("gdi=%lu working_set=%llu pagefile=%llu\n", gdi, static_cast<unsigned long long>(memory.WorkingSetSize),
                static_cast<unsigned long long>(memory.PagefileUsage));
    CloseHandle(process);
    return 0;
}
