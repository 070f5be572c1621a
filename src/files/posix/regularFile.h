// Opening a file that must be a regular file: never a directory, and never
// a named pipe, socket or device (a link to one included), which could
// block the caller or never end. Nothing but a regular file is opened at
// all, and what was opened is checked again, in case the name was replaced
// in between.
#ifndef QEL_FILES_POSIX_REGULARFILE_H
#define QEL_FILES_POSIX_REGULARFILE_H

#include <cstdio>

#include "files/apPath.h"

// A C stream in `mode` on the file, whose descriptor (close-on-exec, never
// blocking, never a controlling terminal) is opened with `flags` (O_RDONLY,
// O_RDWR or O_WRONLY, with O_CREAT, O_TRUNC, O_EXCL, O_NOFOLLOW as the mode
// wants); null with errno set when it cannot be opened or is not a regular
// file (EISDIR for a directory, EINVAL for anything else).
std::FILE* open_regular_file(const apPath& path, int flags, const char* mode);

#endif
