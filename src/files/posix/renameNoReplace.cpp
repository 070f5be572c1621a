#include "files/posix/renameNoReplace.h"

#include <cerrno>
#include <cstdio>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

int fail_keeping_errno(int (*undo)(const char*), const char* name)
{
    const int error = errno;
    undo(name);
    errno = error;
    return -1;
}

} // namespace

int portable_rename_no_replace(const char* from, const char* to)
{
    struct stat st;
    if (::lstat(from, &st) != 0)
        return -1;
    if (S_ISDIR(st.st_mode)) {
        // mkdir takes the name or fails; only our own empty directory is
        // then replaced.
        if (::mkdir(to, 0700) != 0)
            return -1;
        if (std::rename(from, to) != 0)
            return fail_keeping_errno(::rmdir, to);
        return 0;
    }
    // The link itself, never what a symbolic link points to.
    if (::linkat(AT_FDCWD, from, AT_FDCWD, to, 0) == 0) {
        if (::unlink(from) != 0)
            return fail_keeping_errno(::unlink, to);
        return 0;
    }
    if (errno == EEXIST)
        return -1;
    if (::lstat(to, &st) == 0) {
        errno = EEXIST;
        return -1;
    }
    return std::rename(from, to);
}
