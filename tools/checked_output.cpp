#include "tools/checked_output.h"

#include <sys/stat.h>

#include <cerrno>
#include <cstdarg>

namespace {

// Keeps the first failure's reason; errno 0 after a failed call (which the
// C library does not promise to set) still counts as a failure.
bool Failed(CheckedOutput& out)
{
    if (out.Error == 0) {
        out.Error = errno != 0 ? errno : EIO;
    }
    return false;
}

}  // namespace

CheckedOutput StandardOutput() { return CheckedOutput{"standard output", stdout, 0, false}; }

bool OpenOutput(CheckedOutput& out, const char* path)
{
    out = CheckedOutput{path, nullptr, 0, false};
    errno = 0;
    out.File = std::fopen(path, "w");
    if (out.File == nullptr) {
        return Failed(out);
    }
    // Only a regular file may be removed after a failure: /dev/full, a pipe
    // or a terminal given as the output must stay (we may run as root).
    struct stat status {};
    out.Removable = fstat(fileno(out.File), &status) == 0 && S_ISREG(status.st_mode);
    return true;
}

bool Print(CheckedOutput& out, const char* format, ...)
{
    if (out.Error != 0) {
        return false;
    }
    va_list arguments;
    va_start(arguments, format);
    errno = 0;
    // clang-tidy 14's analyser, after another file in the same run, misses the va_start above.
    const int written = std::vfprintf(out.File, format, arguments);  // NOLINT(clang-analyzer-valist.Uninitialized)
    va_end(arguments);
    return written >= 0 || Failed(out);
}

bool PutText(CheckedOutput& out, const char* text)
{
    if (out.Error != 0) {
        return false;
    }
    errno = 0;
    return std::fputs(text, out.File) >= 0 || Failed(out);
}

bool PutBytes(CheckedOutput& out, const void* bytes, std::size_t size)
{
    if (out.Error != 0) {
        return false;
    }
    errno = 0;
    return std::fwrite(bytes, 1, size, out.File) == size || Failed(out);
}

bool CloseOutput(CheckedOutput& out)
{
    if (out.Error != 0) {
        return false;
    }
    std::FILE* file = out.File;
    out.File = nullptr;
    errno = 0;
    // A buffered write's failure shows in the flush; ferror catches one that
    // reported no error when it happened.
    const bool flushed = std::fflush(file) == 0 && std::ferror(file) == 0;
    if (!flushed) {
        Failed(out);
    }
    errno = 0;
    if (std::fclose(file) != 0 && flushed) {
        Failed(out);
    }
    return out.Error == 0;
}

void DiscardOutput(CheckedOutput& out)
{
    if (out.File != nullptr) {
        std::fclose(out.File);
        out.File = nullptr;
    }
    if (out.Removable) {
        std::remove(out.Name);
        out.Removable = false;
    }
}
