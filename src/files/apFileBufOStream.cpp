#include "files/apFileBufOStream.h"

// The base is built before the member buffer, so it is given the buffer once
// the buffer exists.
apFileBufOStream::apFileBufOStream(std::FILE* file)
    : std::basic_ostream<char>(nullptr), buf_(file), file_(file)
{
    rdbuf(&buf_);
}
