#include "core/apEncodingDescriptor.h"

#include "core/codePageNames.h"

apEncodingDescriptor apEncodingDescriptor::from_name(const utString& name)
{
    static const struct {
        const char* name;
        unsigned int kind;
    } kUnicode[] = {
        {"utf-8", kind_utf8},      {"utf-16", kind_utf16},    {"utf-16be", kind_utf16},
        {"utf-16le", kind_utf16le}, {"utf-32", kind_utf32},   {"utf-32be", kind_utf32},
        {"utf-32le", kind_utf32le},
    };
    utString lower = lower_case_name(name);
    for (const auto& entry : kUnicode)
        if (is_name(lower, entry.name))
            return from_kind(entry.kind);
    int cp = code_page_from_name(name);
    return cp > 0 ? from_code_page(static_cast<unsigned int>(cp)) : apEncodingDescriptor();
}

utString apEncodingDescriptor::name() const
{
    switch (kind_) {
    case kind_code_page: return code_page_name(code_page_);
    case kind_utf8: return ut_lit("UTF-8");
    case kind_utf16: return ut_lit("UTF-16");
    case kind_utf16le: return ut_lit("UTF-16LE");
    case kind_utf32: return ut_lit("UTF-32");
    case kind_utf32le: return ut_lit("UTF-32LE");
    default: return ut_lit("");
    }
}
