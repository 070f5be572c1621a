// One way of opening a C stream on a path (read, read-write, write).
#ifndef QEL_FILES_APIFILEMODE_H
#define QEL_FILES_APIFILEMODE_H

#include <cstdio>

class apPath;

class apIFileMode {
public:
    // The open stream, owned by the caller until fclose; null on failure.
    virtual std::FILE* open(const apPath& path) const = 0;
    virtual ~apIFileMode() = default;
};

#endif
