// Long inputs built from a repeated piece (deep nesting, large answers).
#ifndef QEL_TESTS_REPEATTEXT_H
#define QEL_TESTS_REPEATTEXT_H

#include <cstddef>
#include <string>

namespace testsupport {

inline std::string repeat(const std::string& piece, size_t count)
{
    std::string out;
    out.reserve(piece.size() * count);
    for (size_t i = 0; i < count; ++i)
        out += piece;
    return out;
}

} // namespace testsupport

#endif
