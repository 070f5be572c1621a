// The bytes a POSIX call gets for a path: its 8-bit form, made by the path's
// encoding. A path without one (null, or not representable) reaches no
// system call; errno then says why.
#ifndef QEL_FILES_POSIX_SYSTEMPATH_H
#define QEL_FILES_POSIX_SYSTEMPATH_H

#include <cerrno>

#include "core/utString.h"
#include "files/apPath.h"

inline bool system_path(const apPath& p, utString& bytes)
{
    if (p.narrow_failed()) {
        errno = p.is_null() ? ENOENT : EILSEQ;
        return false;
    }
    bytes = p.narrow();
    if (bytes.is_null()) {
        errno = ENOENT;
        return false;
    }
    return true;
}

#endif
