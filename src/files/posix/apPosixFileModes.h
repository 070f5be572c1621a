// The three ways to open a C stream on a path (its UTF-8 bytes).
// Like their Windows counterparts they never open a directory, nor
// anything else that is not a regular file.
#ifndef QEL_FILES_POSIX_APPOSIXFILEMODES_H
#define QEL_FILES_POSIX_APPOSIXFILEMODES_H

#include "files/apIFileMode.h"

class apPosixReadMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "rb"
};

class apPosixRWMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "r+b"
};

class apPosixWriteMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "wb"
};

#endif
