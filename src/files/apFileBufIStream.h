// An input stream reading through its own apFileBuf; destroying the stream
// closes the file.
#ifndef QEL_FILES_APFILEBUFISTREAM_H
#define QEL_FILES_APFILEBUFISTREAM_H

#include <cstdio>
#include <istream>

#include "files/apFileBuf.h"

class apFileBufIStream : public std::basic_istream<char> {
public:
    explicit apFileBufIStream(std::FILE* file);

    std::FILE* file() const noexcept { return file_; }

private:
    apFileBuf buf_;
    std::FILE* file_;
};

#endif
