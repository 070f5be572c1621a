// An encoding as a kind and, for the code-page kind, a Windows code page.
#ifndef QEL_CORE_APENCODINGDESCRIPTOR_H
#define QEL_CORE_APENCODINGDESCRIPTOR_H

#include "core/utString.h"

class apEncodingDescriptor {
public:
    // Kinds 4 and 6 are big-endian. Byte-order detection adds kinds of its
    // own above these; they have no name.
    enum : unsigned int {
        kind_none = 0,
        kind_code_page = 2,
        kind_utf8 = 3,
        kind_utf16 = 4,
        kind_utf16le = 5,
        kind_utf32 = 6,
        kind_utf32le = 7,
    };

    apEncodingDescriptor() noexcept : kind_(kind_none), code_page_(0) {}

    static apEncodingDescriptor from_code_page(unsigned int cp) noexcept
    {
        return apEncodingDescriptor(kind_code_page, cp);
    }
    static apEncodingDescriptor from_kind(unsigned int kind) noexcept
    {
        return apEncodingDescriptor(kind, 0);
    }
    // From a charset name in any letter case; kind 0 when it is not known.
    static apEncodingDescriptor from_name(const utString& name);

    unsigned int kind() const noexcept { return kind_; }
    unsigned int code_page() const noexcept { return code_page_; }
    // The charset name to write; empty for kinds without one.
    utString name() const;

    bool operator==(const apEncodingDescriptor& o) const noexcept
    {
        return kind_ == o.kind_ && code_page_ == o.code_page_;
    }
    bool operator!=(const apEncodingDescriptor& o) const noexcept { return !(*this == o); }

private:
    apEncodingDescriptor(unsigned int kind, unsigned int cp) noexcept : kind_(kind), code_page_(cp) {}

    unsigned int kind_;
    unsigned int code_page_;
};

#endif
