// Absolute paths resolved from the text alone, as GetFullPathNameW resolves
// them: a relative path is put behind the current directory, "." and ".."
// components are collapsed without following links, and a result that
// would not fit in 260 UTF-16 units fails.
#ifndef QEL_FILES_POSIX_LEXICALPATH_H
#define QEL_FILES_POSIX_LEXICALPATH_H

#include "core/apString.h"
#include "files/apPath.h"

// The normalised absolute text, or null on failure.
apString lexical_absolute(const apPath& p);

#endif
