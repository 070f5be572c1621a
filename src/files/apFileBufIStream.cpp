#include "files/apFileBufIStream.h"

// The base is built before the member buffer, so it is given the buffer once
// the buffer exists.
apFileBufIStream::apFileBufIStream(std::FILE* file)
    : std::basic_istream<char>(nullptr), buf_(file), file_(file)
{
    rdbuf(&buf_);
}
