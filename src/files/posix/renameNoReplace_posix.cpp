// A plain POSIX system renames with POSIX calls alone. A system with a
// no-replace rename of its own replaces this file (src/files/linux).
#include "files/posix/renameNoReplace.h"

int rename_no_replace(const char* from, const char* to)
{
    return portable_rename_no_replace(from, to);
}
