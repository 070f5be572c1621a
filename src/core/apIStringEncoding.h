// The converter between 8-bit text and apString.
#ifndef QEL_CORE_APISTRINGENCODING_H
#define QEL_CORE_APISTRINGENCODING_H

#include "core/apString.h"
#include "core/utString.h"

class apIStringEncoding {
public:
    // Each sets *error to 0 on success and to 1 on failure, in which case the
    // result holds a fixed message instead of the converted text.
    virtual apString decode(const char* text, int* error) const = 0;
    virtual utString encode(const apString& text, int* error) const = 0;
    virtual ~apIStringEncoding() = default;
};

// The process-wide C-runtime encoding, created on first use; not owned by
// the caller.
apIStringEncoding* default_string_encoding();

#endif
