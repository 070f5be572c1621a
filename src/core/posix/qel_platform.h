// Platform vocabulary for POSIX builds: the UTF-16 code unit and the
// attribute that exports a symbol from the shared library.
#ifndef QEL_PLATFORM_H
#define QEL_PLATFORM_H

using apWchar = char16_t;

#define QEL_EXPORT __attribute__((visibility("default")))

#endif
