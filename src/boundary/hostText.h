// Text handed to the host: a new[] block the host returns via delete_string.
#ifndef QEL_BOUNDARY_HOSTTEXT_H
#define QEL_BOUNDARY_HOSTTEXT_H

#include <cstddef>
#include <cstring>

namespace boundary {

inline char* host_copy(const char* bytes, size_t length)
{
    char* block = new char[length + 1];
    if (length)
        std::memcpy(block, bytes, length);
    block[length] = 0;
    return block;
}

} // namespace boundary

#endif
