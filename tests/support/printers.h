// Readable GoogleTest messages for the library's string types.
#ifndef QEL_TEST_PRINTERS_H
#define QEL_TEST_PRINTERS_H

#include <ostream>

#include "core/apString.h"
#include "core/utString.h"

// The code points in hexadecimal, or <null>.
void PrintTo(const apString& s, std::ostream* out);

#endif
