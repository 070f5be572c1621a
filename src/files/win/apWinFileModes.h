// The three ways to open a C stream on a path's UTF-16 text with _wfopen.
#ifndef QEL_FILES_WIN_APWINFILEMODES_H
#define QEL_FILES_WIN_APWINFILEMODES_H

#include "files/apIFileMode.h"

class apWinReadMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "rb"
};

class apWinRWMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "r+b"
};

class apWinWriteMode : public apIFileMode {
public:
    std::FILE* open(const apPath& path) const override; // "wb"
};

#endif
