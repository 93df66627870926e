#include "tools/file_identity.h"

#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <cstring>

namespace {

// A chain of links longer than the system follows fails to open anyway.
constexpr int MaxLinks = 40;

void FromStatus(const struct stat& status, FileIdentity& id)
{
    id.Known = S_ISREG(status.st_mode);
    id.Exists = true;
    id.Device = status.st_dev;
    id.Inode = status.st_ino;
}

// A file that does not exist yet is the name in its folder's real place.
void FromFolder(const char* path, FileIdentity& id)
{
    const char* slash = std::strrchr(path, '/');
    const char* name = slash != nullptr ? slash + 1 : path;
    char folder[PATH_MAX];
    const size_t folderLength = slash == nullptr ? 0 : slash == path ? 1 : static_cast<size_t>(slash - path);
    if (*name == '\0' || std::strcmp(name, ".") == 0 || std::strcmp(name, "..") == 0 || folderLength >= sizeof folder) {
        return;
    }
    std::memcpy(folder, slash != nullptr ? path : ".", slash != nullptr ? folderLength : 1);
    folder[slash != nullptr ? folderLength : 1] = '\0';
    char real[PATH_MAX];
    if (realpath(folder, real) == nullptr || std::strlen(real) + 1 + std::strlen(name) + 1 > sizeof id.Place) {
        return;
    }
    std::strcpy(id.Place, real);
    std::strcat(id.Place, "/");
    std::strcat(id.Place, name);
    id.Known = true;
}

}  // namespace

void IdentifyPath(const char* path, FileIdentity& id)
{
    id = FileIdentity{};
    char current[PATH_MAX];
    if (std::strlen(path) >= sizeof current) {
        return;
    }
    std::strcpy(current, path);
    for (int links = 0; links <= MaxLinks; ++links) {
        struct stat status {};
        if (stat(current, &status) == 0) {
            FromStatus(status, id);
            return;
        }
        if (errno != ENOENT) {
            return;
        }
        // Missing: a new file, or a link to one, which opening would create.
        char target[PATH_MAX];
        const ssize_t length = readlink(current, target, sizeof target - 1);
        if (length < 0) {
            FromFolder(current, id);
            return;
        }
        target[length] = '\0';
        // A relative target is relative to the link's folder.
        const char* slash = std::strrchr(current, '/');
        if (target[0] != '/' && slash != nullptr) {
            const size_t folderLength = static_cast<size_t>(slash - current) + 1;
            if (folderLength + std::strlen(target) >= sizeof current) {
                return;
            }
            std::memmove(current + folderLength, target, std::strlen(target) + 1);
        } else {
            std::strcpy(current, target);
        }
    }
}

void IdentifyStandardOutput(FileIdentity& id)
{
    id = FileIdentity{};
    struct stat status {};
    if (fstat(STDOUT_FILENO, &status) == 0) {
        FromStatus(status, id);
    }
}

bool SameFile(const FileIdentity& a, const FileIdentity& b)
{
    if (!a.Known || !b.Known || a.Exists != b.Exists) {
        return false;
    }
    return a.Exists ? a.Device == b.Device && a.Inode == b.Inode : std::strcmp(a.Place, b.Place) == 0;
}
