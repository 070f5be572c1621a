#include "files/posix/apPosixFileModes.h"

#include <cerrno>
#include <sys/stat.h>

#include "files/posix/systemPath.h"

namespace {

std::FILE* open_bytes(const apPath& path, const char* mode)
{
    utString bytes;
    if (!system_path(path, bytes))
        return nullptr;
    std::FILE* f = std::fopen(bytes.c_str(), mode);
    if (f == nullptr)
        return nullptr;
    // fopen reads directories here; _wfopen refuses them.
    struct stat st;
    if (::fstat(fileno(f), &st) != 0 || S_ISDIR(st.st_mode)) {
        std::fclose(f);
        errno = EISDIR;
        return nullptr;
    }
    return f;
}

} // namespace

std::FILE* apPosixReadMode::open(const apPath& path) const
{
    return open_bytes(path, "rb");
}

std::FILE* apPosixRWMode::open(const apPath& path) const
{
    return open_bytes(path, "r+b");
}

std::FILE* apPosixWriteMode::open(const apPath& path) const
{
    return open_bytes(path, "wb");
}
