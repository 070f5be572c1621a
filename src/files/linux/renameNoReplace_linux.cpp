// Linux renames without replacing in one call (renameat2, Linux 3.15) where
// the file system supports it. Replaces src/files/posix/renameNoReplace_posix.cpp.
#include "files/posix/renameNoReplace.h"

#include <cerrno>
#include <fcntl.h>
#include <stdio.h>

int rename_no_replace(const char* from, const char* to)
{
    if (::renameat2(AT_FDCWD, from, AT_FDCWD, to, RENAME_NOREPLACE) == 0)
        return 0;
    if (errno != EINVAL && errno != ENOSYS && errno != ENOTSUP)
        return -1;
    return portable_rename_no_replace(from, to);
}
