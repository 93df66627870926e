// The tool's outputs with every write checked: the first failure is kept
// with the system's reason, and what comes after it is not written.
#pragma once

#include <cstdio>

struct CheckedOutput {
    const char* Name;  // for messages: the file's path, or "standard output"
    std::FILE* File;   // null: not in use
    int Error;         // errno of the first failure; 0 while all went well
    bool Removable;    // a regular file this run opened: removed if the run fails
};

CheckedOutput StandardOutput();

// Opens (creates or empties) the file at path for writing; false with
// Error set if that fails.
bool OpenOutput(CheckedOutput& out, const char* path);

// printf into the output; false once any write to it has failed.
bool Print(CheckedOutput& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
bool PutText(CheckedOutput& out, const char* text);
bool PutBytes(CheckedOutput& out, const void* bytes, std::size_t size);

// Flushes and closes; false if this or any earlier write failed.
bool CloseOutput(CheckedOutput& out);

// After a failure: closes without further checks, and removes the file if
// it is a regular file this run opened; nothing else is ever removed.
void DiscardOutput(CheckedOutput& out);
