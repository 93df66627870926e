// Whether two paths, or a path and standard output, name one file: so that
// no two outputs are written into the same file.
#pragma once

#include <sys/types.h>

#include <climits>

struct FileIdentity {
    bool Known;   // false: a device, a pipe, a folder, or a path that cannot be resolved
    bool Exists;  // an existing file, told by its device and inode
    dev_t Device;
    ino_t Inode;
    char Place[PATH_MAX + NAME_MAX + 2];  // a file yet to be made: its folder's real path, '/', its name
};

// What the path would be opened as: a symbolic link is followed, also one
// whose target does not exist yet.
void IdentifyPath(const char* path, FileIdentity& id);

// Standard output's file, when it is a regular file.
void IdentifyStandardOutput(FileIdentity& id);

bool SameFile(const FileIdentity& a, const FileIdentity& b);
