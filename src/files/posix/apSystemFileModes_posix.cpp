#include "files/apSystemFileModes.h"

#include <fcntl.h>

#include "files/posix/regularFile.h"

// fopen would read a directory here (_wfopen refuses one) and wait on a
// named pipe for a writer: only regular files are opened.

std::FILE* apSystemReadMode::open(const apPath& path) const
{
    return open_regular_file(path, O_RDONLY, "rb");
}

std::FILE* apSystemRWMode::open(const apPath& path) const
{
    return open_regular_file(path, O_RDWR, "r+b");
}

std::FILE* apSystemWriteMode::open(const apPath& path) const
{
    return open_regular_file(path, O_WRONLY | O_CREAT | O_TRUNC, "wb");
}
