// The bytes a POSIX call gets for a path: the UTF-8 form of its text, as
// Windows gets the UTF-16 form, whatever the C runtime's locale. A null
// path reaches no system call; errno then says why.
#ifndef QEL_FILES_POSIX_SYSTEMPATH_H
#define QEL_FILES_POSIX_SYSTEMPATH_H

#include <cerrno>

#include "files/apPath.h"

// Null for a null path. The bytes live in the path's text.
inline const char* system_path(const apPath& p)
{
    const char* bytes = p.text().utf8_str();
    if (bytes == nullptr)
        errno = ENOENT;
    return bytes;
}

#endif
