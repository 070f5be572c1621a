// 8-bit text in a Windows code page.
#ifndef QEL_CORE_APSTRINGCPENCODING_H
#define QEL_CORE_APSTRINGCPENCODING_H

#include "core/apIStringEncoding.h"

class apStringCPEncoding : public apIStringEncoding {
public:
    explicit apStringCPEncoding(unsigned int code_page) : code_page_(code_page) {}

    // Fails on a byte sequence the code page does not define.
    apString decode(const char* text, int* error) const override;
    // Characters the code page lacks become their best fit or the default
    // character; the latter also sets *error to 1, with the converted text
    // still returned.
    utString encode(const apString& text, int* error) const override;

    unsigned int code_page() const { return code_page_; }

private:
    unsigned int code_page_;
};

#endif
