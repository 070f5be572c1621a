#include "files/posix/regularFile.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include "files/posix/systemPath.h"

namespace {

bool refused(const struct stat& st)
{
    if (S_ISREG(st.st_mode))
        return false;
    errno = S_ISDIR(st.st_mode) ? EISDIR : EINVAL;
    return true;
}

} // namespace

std::FILE* open_regular_file(const apPath& path, int flags, const char* mode)
{
    const char* bytes = system_path(path);
    if (bytes == nullptr)
        return nullptr;
    struct stat st;
    // A pipe, socket or device is not even opened: opening one can wait for
    // a writer or act on the device. A missing file is left to open().
    if (::stat(bytes, &st) == 0 && refused(st))
        return nullptr;
    const int fd = ::open(bytes, flags | O_NONBLOCK | O_NOCTTY | O_CLOEXEC, 0666);
    if (fd < 0)
        return nullptr;
    std::FILE* f = nullptr;
    if (::fstat(fd, &st) == 0 && !refused(st))
        f = ::fdopen(fd, mode);
    if (f == nullptr) {
        const int error = errno;
        ::close(fd);
        errno = error;
    }
    return f;
}
