// The library starts a program by its full path and passes that path as the
// first argument, in UTF-8 whatever the locale.
#include "programFile.h"

namespace techprog {

apString program_file(const char* argv0)
{
    if (!argv0 || !*argv0)
        return apString();
    int error = 0;
    apString path(argv0, &error);
    return error ? apString() : path;
}

} // namespace techprog
