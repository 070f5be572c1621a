// An output stream writing through its own apFileBuf; destroying the stream
// closes the file.
#ifndef QEL_FILES_APFILEBUFOSTREAM_H
#define QEL_FILES_APFILEBUFOSTREAM_H

#include <cstdio>
#include <ostream>

#include "files/apFileBuf.h"

class apFileBufOStream : public std::basic_ostream<char> {
public:
    explicit apFileBufOStream(std::FILE* file);

    std::FILE* file() const noexcept { return file_; }

private:
    apFileBuf buf_;
    std::FILE* file_;
};

#endif
