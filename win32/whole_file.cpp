#include "win32/whole_file.h"

#include <cstdio>
#include <cstring>

void DescribeSystemError(DWORD error, char* text, int size)
{
    DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr, error, 0, text,
                                  static_cast<DWORD>(size), nullptr);
    if (length == 0) {
        std::snprintf(text, size, "error 0x%08lX", error);
        return;
    }
    while (length > 0 && (text[length - 1] == '\n' || text[length - 1] == '\r' || text[length - 1] == ' ')) {
        text[--length] = '\0';
    }
}

// The folder part of path with its separator ("C:\dir\" of "C:\dir\x.csv"),
// or "." for a bare name; false if it does not fit.
static bool FolderOf(const char* path, char* folder, std::size_t size)
{
    std::size_t length = 0;
    for (std::size_t i = 0; path[i] != '\0'; ++i) {
        if (path[i] == '\\' || path[i] == '/' || path[i] == ':') {
            length = i + 1;
        }
    }
    if (length == 0) {
        std::snprintf(folder, size, ".");
        return true;
    }
    if (length >= size) {
        return false;
    }
    std::memcpy(folder, path, length);
    folder[length] = '\0';
    return true;
}

// WriteFile may write less than asked without failing: go on until all is
// written, and call a write that moves nothing a failure.
static bool WriteAll(HANDLE file, const void* data, std::size_t size)
{
    const char* next = static_cast<const char*>(data);
    while (size > 0) {
        const DWORD chunk = size > (1u << 30) ? (1u << 30) : static_cast<DWORD>(size);
        DWORD written = 0;
        if (!WriteFile(file, next, chunk, &written, nullptr)) {
            return false;
        }
        if (written == 0) {
            SetLastError(ERROR_WRITE_FAULT);
            return false;
        }
        next += written;
        size -= written;
    }
    return true;
}

static bool Fail(DWORD error, const char* temporary, char* reason, int reasonSize)
{
    if (temporary != nullptr) {
        DeleteFileA(temporary);
    }
    DescribeSystemError(error, reason, reasonSize);
    return false;
}

// GetTempFileNameA creates the temporary file, under a name no other file
// has, in the target's own folder: the rename then stays on one volume. The
// flush makes a full disk fail here rather than after the rename.
bool WriteWholeFile(const char* path, const void* data, std::size_t size, char* reason, int reasonSize)
{
    char folder[MAX_PATH];
    char temporary[MAX_PATH];
    if (!FolderOf(path, folder, sizeof folder)) {
        return Fail(ERROR_FILENAME_EXCED_RANGE, nullptr, reason, reasonSize);
    }
    if (GetFileAttributesA(folder) == INVALID_FILE_ATTRIBUTES) {  // a clearer reason than GetTempFileNameA's
        return Fail(GetLastError(), nullptr, reason, reasonSize);
    }
    if (GetTempFileNameA(folder, "qsb", 0, temporary) == 0) {
        return Fail(GetLastError(), nullptr, reason, reasonSize);
    }
    const HANDLE file =
        CreateFileA(temporary, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (file == INVALID_HANDLE_VALUE) {
        return Fail(GetLastError(), temporary, reason, reasonSize);
    }
    const bool written = WriteAll(file, data, size) && FlushFileBuffers(file);
    const DWORD writeError = GetLastError();
    const bool closed = CloseHandle(file) != 0;
    if (!written || !closed) {
        return Fail(written ? GetLastError() : writeError, temporary, reason, reasonSize);
    }
    // Windows refuses to replace a read-only file, Wine does not: asked
    // here, both refuse.
    const DWORD attributes = GetFileAttributesA(path);
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY) != 0) {
        return Fail(ERROR_ACCESS_DENIED, temporary, reason, reasonSize);
    }
    if (!MoveFileExA(temporary, path, MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
        return Fail(GetLastError(), temporary, reason, reasonSize);
    }
    return true;
}
