// The three ways to open a C stream on a path, on the platform the library
// is built for (_wfopen on the UTF-16 text on Windows, the UTF-8 bytes on
// POSIX). Neither opens a directory, nor on POSIX anything else that is not
// a regular file.
#ifndef QEL_FILES_APSYSTEMFILEMODES_H
#define QEL_FILES_APSYSTEMFILEMODES_H

#include "files/apIFileMode.h"

class apSystemReadMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "rb"
};

class apSystemRWMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "r+b"
};

class apSystemWriteMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "wb"
};

#endif
