// The C runtime's wide characters and multibyte conversions: UTF-16 units
// on Windows, UTF-32 code points on POSIX. These functions are the only
// place that knows which.
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

// mbstowcs and wcstombs of the current locale (a null destination counts).
// In the "C" locale both platforms answer as the Windows C runtime does:
// every byte is the character of the same number, and only the characters
// up to U+00FF have a byte.
size_t to_wide(wchar_t* out, const char* text, size_t limit);
size_t to_multibyte(char* out, const wchar_t* wide, size_t limit);

} // namespace crtwide

#endif
