// 8-bit text in the C runtime's current multibyte encoding (the host's
// locale; the library never sets one).
#ifndef QEL_CORE_APSTRINGCRTENCODING_H
#define QEL_CORE_APSTRINGCRTENCODING_H

#include "core/apIStringEncoding.h"

class apStringCRTEncoding : public apIStringEncoding {
public:
    apString decode(const char* text, int* error) const override;
    utString encode(const apString& text, int* error) const override;
};

#endif
