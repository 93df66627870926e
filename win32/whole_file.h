// Files written whole or not at all: into a temporary file beside the
// target, renamed over it once every byte is on the disk. A failure leaves
// an existing target as it was and no temporary behind, and says why in the
// system's words.
#pragma once

#include <windows.h>

#include <cstddef>

// Room for a reason in the system's words.
constexpr int ReasonSize = 512;

// False on any failure, with the system's reason in reason.
bool WriteWholeFile(const char* path, const void* data, std::size_t size, char* reason, int reasonSize);

// The system's text for a GetLastError code or an HRESULT, without the line
// break it ends with; the code in hexadecimal if the system has no text.
void DescribeSystemError(DWORD error, char* text, int size);
