// Code pages the POSIX build converts through the C library's iconv.
#ifndef QEL_CORE_POSIX_ICONVCODEPAGE_H
#define QEL_CORE_POSIX_ICONVCODEPAGE_H

#include "qel_platform.h"

namespace codepage {

// iconv's name of a Windows code page, or null when it has none here.
const char* iconv_charset(unsigned int cp);

// codepage::to_utf16 and codepage::from_utf16 through iconv. Without
// Windows' best-fit tables every character that has no exact counterpart
// becomes the default character "?".
int iconv_to_utf16(const char* charset, const char* bytes, apWchar* out, int capacity);
int iconv_from_utf16(const char* charset, const apWchar* text, char* out, int capacity, int* used_default);

} // namespace codepage

#endif
