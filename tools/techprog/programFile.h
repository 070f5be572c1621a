// Where the program's own executable file is: the exchange directory is the
// directory that holds it.
#ifndef TECHPROG_PROGRAMFILE_H
#define TECHPROG_PROGRAMFILE_H

#include "core/apString.h"

namespace techprog {

// The full path of this program's executable file; `argv0` is what main
// received. A null string when it cannot be told.
apString program_file(const char* argv0);

} // namespace techprog

#endif
