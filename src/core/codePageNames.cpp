#include "core/codePageNames.h"

#include <cctype>
#include <cstring>

namespace {

struct nameEntry {
    const char* name;
    int code_page;
};

// Charset names and aliases, lower case. Which code page an alias stands for
// is this table's own choice: every ASCII and Latin-1 alias means 1252.
const nameEntry kNames[] = {
    {"ibm852", 852},
    {"ibm866", 866},
    {"windows-874", 874},
    {"cseucpkdfmtjapanese", 932},
    {"csiso2022jp", 932},
    {"csshiftjis", 932},
    {"extended_unix_code_packed_format_for_japanese", 932},
    {"iso-2022-jp", 932},
    {"ms_kanji", 932},
    {"shift-jis", 932},
    {"shift_jis", 932},
    {"x-euc", 932},
    {"x-euc-jp", 932},
    {"x-sjis", 932},
    {"chinese", 936},
    {"csgb2312", 936},
    {"csiso58gb231280", 936},
    {"gb2312", 936},
    {"gb_2312-80", 936},
    {"hz-gb-2312", 936},
    {"iso-ir-58", 936},
    {"cseuckr", 949},
    {"csksc56011987", 949},
    {"euc-kr", 949},
    {"iso-ir-149", 949},
    {"korean", 949},
    {"ks-c-5601", 949},
    {"ks-c-5601-1987", 949},
    {"ks_c_5601", 949},
    {"ks_c_5601-1987", 949},
    {"ks_c_5601-1989", 949},
    {"ksc-5601", 949},
    {"ksc5601", 949},
    {"ksc_5601", 949},
    {"big5", 950},
    {"csbig5", 950},
    {"x-x-big5", 950},
    {"windows-1250", 1250},
    {"x-cp1250", 1250},
    {"windows-1251", 1251},
    {"x-cp1251", 1251},
    {"ansi_x3.4-1968", 1252},
    {"ansi_x3.4-1986", 1252},
    {"ascii", 1252},
    {"cp367", 1252},
    {"cp819", 1252},
    {"csascii", 1252},
    {"ibm367", 1252},
    {"ibm819", 1252},
    {"iso-8859-1", 1252},
    {"iso-ir-100", 1252},
    {"iso-ir-6", 1252},
    {"iso646-us", 1252},
    {"iso8859-1", 1252},
    {"iso_646.irv:1991", 1252},
    {"iso_8859-1", 1252},
    {"iso_8859-1:1987", 1252},
    {"latin1", 1252},
    {"us", 1252},
    {"us-ascii", 1252},
    {"windows-1252", 1252},
    {"windows-1253", 1253},
    {"windows-1254", 1254},
    {"csisolatinhebrew", 1255},
    {"hebrew", 1255},
    {"iso-8859-8", 1255},
    {"iso-ir-138", 1255},
    {"iso_8859-8", 1255},
    {"iso_8859-8:1988", 1255},
    {"windows-1255", 1255},
    {"windows-1256", 1256},
    {"windows-1257", 1257},
    {"windows-1258", 1258},
    {"cskoi8r", 20866},
    {"koi8-r", 20866},
    {"csisolatin2", 28592},
    {"iso-8859-2", 28592},
    {"iso-ir-101", 28592},
    {"iso8859-2", 28592},
    {"iso_8859-2", 28592},
    {"iso_8859-2:1987", 28592},
    {"l2", 28592},
    {"latin2", 28592},
    {"csiso2022kr", 50225},
    {"iso-2022-kr", 50225},
};

// tolower is defined for unsigned char values only.
int lower_byte(int c)
{
    return std::tolower(static_cast<unsigned char>(c));
}

} // namespace

utString lower_case_name(const utString& name)
{
    utString lower(name);
    lower.transform(lower_byte);
    return lower;
}

bool is_name(const utString& text, const char* name)
{
    size_t length = static_cast<size_t>(text.length());
    return !text.is_null() && std::strlen(name) == length && std::memcmp(name, text.c_str(), length) == 0;
}

utString code_page_name(unsigned int cp)
{
    switch (cp) {
    case 852: return ut_lit("IBM852");
    case 866: return ut_lit("IBM866");
    case 874: return ut_lit("windows-874");
    case 932: return ut_lit("Shift-JIS");
    case 936: return ut_lit("Chinese");
    case 949: return ut_lit("Korean");
    case 950: return ut_lit("Big5");
    case 1250: return ut_lit("windows-1250");
    case 1251: return ut_lit("windows-1251");
    case 1252: return ut_lit("windows-1252");
    case 1253: return ut_lit("windows-1253");
    case 1254: return ut_lit("windows-1254");
    case 1255: return ut_lit("windows-1255");
    case 1256: return ut_lit("windows-1256");
    case 1257: return ut_lit("windows-1257");
    case 1258: return ut_lit("windows-1258");
    case 1259: return ut_lit("windows-1259");
    case 28592: return ut_lit("ISO-8859-2");
    case 50225: return ut_lit("ISO-2022-kr");
    default: return ut_lit("");
    }
}

int code_page_from_name(const utString& name)
{
    utString lower = lower_case_name(name);
    for (const nameEntry& entry : kNames)
        if (is_name(lower, entry.name))
            return entry.code_page;
    return 0;
}
