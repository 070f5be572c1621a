// The library starts a program by its full path and passes that path as the
// first argument, in the bytes of the C runtime's multibyte encoding.
#include "programFile.h"

#include "core/apIStringEncoding.h"

namespace techprog {

apString program_file(const char* argv0)
{
    if (!argv0 || !*argv0)
        return apString();
    int error = 0;
    apString path = default_string_encoding()->decode(argv0, &error);
    return error ? apString() : path;
}

} // namespace techprog
