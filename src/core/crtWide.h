// The C runtime's wide characters: UTF-16 units on Windows, UTF-32 code
// points on POSIX. These two functions are the only place that knows which.
#ifndef QEL_CORE_CRTWIDE_H
#define QEL_CORE_CRTWIDE_H

#include <cstddef>
#include <vector>

#include "core/apString.h"

namespace crtwide {

// `count` wide characters as an apString; *error as the UTF-16 decoder sets it.
apString decode(const wchar_t* wide, size_t count, int* error);

// The text as zero-terminated wide characters.
std::vector<wchar_t> encode(const apString& text);

} // namespace crtwide

#endif
